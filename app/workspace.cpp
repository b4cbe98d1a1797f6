#include "app/workspace.h"

#include <fstream>
#include <iterator>
#include <system_error>

#include "store/catalogue_reader.h"
#include "store/file_names.h"

namespace lumvex::app {

Workspace::Workspace(std::filesystem::path storeRoot, MessagePort& messages, const Clock& clock)
    : storeRoot_(std::move(storeRoot)), messages_(messages), clock_(clock), catalogue_(messages, storeRoot_) {}

int Workspace::CurrentServiceCodeIndex() const {
  return catalogue_.FindServiceCode(selection_.currentServiceCode);
}

int Workspace::CurrentFileIndex() const {
  if (selection_.selectedRow < 0) return -1;
  return catalogue_.FindFile(CurrentServiceCodeIndex(), selection_.currentFile);
}

bool Workspace::SelectByName(std::string_view serviceCode, std::string_view fileName) {
  const int code = catalogue_.FindServiceCode(serviceCode);
  selection_ = Selection{code, -1, code < 0 ? std::string(kNoServiceCode) : std::string(serviceCode), {}};
  if (code < 0) return false;
  if (fileName.empty()) return true;
  const int file = catalogue_.FindFile(code, fileName);
  if (file < 0) return false;
  const std::vector<int> rows = catalogue_.FilesOf(code);
  for (std::size_t row = 0; row < rows.size(); ++row) {
    if (rows[row] == file) selection_.selectedRow = static_cast<int>(row);
  }
  selection_.currentFile = fileName;
  return true;
}

std::vector<std::string> Workspace::DialogServiceCodes() const {
  std::ifstream in(PathOf(store::kCatalogueFile), std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return store::ReadServiceCodeNames(text);
}

std::filesystem::path RecordStoreRoot() {
  std::error_code error;
  std::filesystem::path root = std::filesystem::current_path(error);
  return error ? std::filesystem::path() : root;
}

}  // namespace lumvex::app
