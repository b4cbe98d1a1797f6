#include "store/catalogue.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <new>

#include "core/decimal.h"
#include "core/text_format.h"
#include "store/catalogue_reader.h"
#include "store/durable_file.h"

namespace lumvex::store {
namespace {

const std::string kServiceCodeLimitText = Format("Number of service code must be between 1 and %d", MAX_SERVICE_CODES);
const std::string kFileLimitText =
    Format("Number of files must be less than %d, Should DELETE some or more files.", MAX_FILES);
constexpr const char* kShortTextText =
    "download.log is shorter than its counts announce; the missing lines are ignored.";

}  // namespace

std::string FileTableFullText() { return kFileLimitText; }

Catalogue::Catalogue(MessagePort& messages, std::filesystem::path storeRoot)
    : messages_(messages), storeRoot_(std::move(storeRoot)) {}

void Catalogue::Show(std::string_view text) const { messages_.Show(MessageStyle::Plain, text); }

void Catalogue::Clear() {
  serviceCodes_.clear();
  files_.clear();
  if (observer_ != nullptr) observer_->CatalogueCleared();
}

void Catalogue::LoadCatalogue() {
  Clear();
  const std::filesystem::path path = storeRoot_ / kCatalogueFile;
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    Show("The First Times!. Please Add Service Code before Download");
    return;
  }
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    Show("GetFileSize failed!");
    return;
  }
  std::string text;
  try {
    text.resize(static_cast<std::size_t>(info.st_size));
  } catch (const std::bad_alloc&) {
    Show("malloc failed!");
    return;
  }
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  text.resize(static_cast<std::size_t>(in.gcount()));
  if (text.empty()) {
    Show("Zero bytes read.");
    return;
  }
  if (!ParseCatalogue(text)) Show("Parse the file fail.");
}

bool Catalogue::ParseCatalogue(std::string_view text) {
  Clear();
  CatalogueReader reader(text);
  if (!ReadServiceCodes(reader)) return false;
  const bool filesRead = ReadFiles(reader);
  // Show the last Service Code read, as the tree selection would.
  for (int i = serviceCodeCount() - 1; i >= 0; --i) {
    if (IsLive(i)) {
      ShowServiceCode(i);
      break;
    }
  }
  return filesRead;
}

bool Catalogue::ReadServiceCodes(CatalogueReader& reader) {
  std::string_view line;
  const int count = reader.NextLine(line) ? ReadLeadingInt(FirstToken(line)) : 0;
  if (count < 1 || count > MAX_SERVICE_CODES) {
    Show(kServiceCodeLimitText);
    return false;
  }
  for (int i = 0; i < count; ++i) {
    if (!reader.NextLine(line)) {
      Show(kShortTextText);
      return true;
    }
    const std::string_view name = FirstToken(line);
    if (name == kDeletedMarker) {
      serviceCodes_.push_back({std::string(name), 0});  // a marked entry: takes its slot, never shown
    } else if (IsStorableServiceCodeName(name)) {
      serviceCodes_.push_back({std::string(name), 0});
      if (observer_ != nullptr) observer_->ServiceCodeAdded(serviceCodeCount() - 1);
    } else {
      Show(Format("Line %d of download.log holds no valid Service Code name; it is ignored.", reader.lineNumber()));
    }
  }
  return true;
}

bool Catalogue::ReadFiles(CatalogueReader& reader) {
  std::string_view line;
  if (reader.ranOut()) return true;  // already reported
  if (!reader.NextLine(line)) {
    Show(kShortTextText);
    return true;
  }
  const int count = ReadLeadingInt(FirstToken(line));
  if (count > MAX_FILES) {
    Show(kFileLimitText);
    return false;
  }
  // Growing the table entry by entry would copy it a dozen times on a full store.
  files_.reserve(static_cast<std::size_t>(std::max(count, 0)));
  for (int i = 0; i < count; ++i) {
    if (!reader.NextLine(line)) {
      Show(kShortTextText);
      return true;
    }
    FileEntry entry;
    if (!ParseFileEntry(line, entry)) {
      Show(Format("Line %d of download.log is not a valid file entry; it is ignored.", reader.lineNumber()));
      continue;
    }
    const int owner = FindServiceCode(entry.serviceCode);
    files_.push_back(std::move(entry));
    if (owner >= 0) ++serviceCodes_[static_cast<std::size_t>(owner)].fileCount;
  }
  return true;
}

std::string Catalogue::BuildCatalogueText() const {
  std::string text;
  int liveCodes = 0;
  for (const auto& code : serviceCodes_) liveCodes += code.name != kDeletedMarker;
  text += Format("%d\r\n", liveCodes);
  for (const auto& code : serviceCodes_) {
    if (code.name != kDeletedMarker) text.append(code.name).append("\r\n");
  }
  int liveFiles = 0;
  for (const auto& file : files_) liveFiles += file.serviceCode != kDeletedMarker;
  text += Format("%d\r\n", liveFiles);
  for (const auto& f : files_) {
    if (f.serviceCode == kDeletedMarker) continue;
    for (const std::string* field : {&f.fileName, &f.serviceCode, &f.description, &f.datePrepare, &f.dateRetrieve}) {
      text.append(*field).push_back(',');
    }
    text.append(f.fileSize).append("\r\n");
  }
  return text;
}

bool Catalogue::SaveCatalogue() {
  std::string text;
  try {
    text = BuildCatalogueText();
  } catch (const std::bad_alloc&) {
    Show("GlobalAlloc failed!");
    Show("GetDataBufferAndSize failed!");
    return false;
  }
  switch (ReplaceKeepingBackup(storeRoot_ / kCatalogueFile, storeRoot_ / kPreviousCatalogueFile, text)) {
    case ReplaceResult::Replaced:
      return true;
    case ReplaceResult::CreateFailed:
      Show(Format("Could not create file %s", std::string(kCatalogueFile).c_str()));
      return false;
    case ReplaceResult::WriteFailed:
      Show("Error writing file.");
      return false;
  }
  return false;
}

int Catalogue::AddServiceCode(std::string_view name) {
  if (serviceCodeCount() >= MAX_SERVICE_CODES) {
    Show(kServiceCodeLimitText);
    return -1;
  }
  if (!IsStorableServiceCodeName(name)) {
    Show(ServiceCodeNameRefusal(name));
    return -1;
  }
  serviceCodes_.push_back({std::string(name), 0});
  const int index = serviceCodeCount() - 1;
  if (observer_ != nullptr) observer_->ServiceCodeAdded(index);
  return index;
}

void Catalogue::MarkServiceCodeDeleted(int serviceCodeIndex) {
  serviceCodes_.at(static_cast<std::size_t>(serviceCodeIndex)).name = kDeletedMarker;
  if (observer_ != nullptr) observer_->ServiceCodeRemoved(serviceCodeIndex);
}

bool Catalogue::AppendFile(int serviceCodeIndex, FileEntry entry) {
  if (fileCount() >= MAX_FILES) {
    Show(kFileLimitText);
    return false;
  }
  entry.serviceCode = serviceCode(serviceCodeIndex).name;
  files_.push_back(std::move(entry));
  const int fileIndex = fileCount() - 1;
  ++serviceCodes_[static_cast<std::size_t>(serviceCodeIndex)].fileCount;
  if (observer_ != nullptr) {
    observer_->FileRowAdded(serviceCodeIndex, RowOf(serviceCodeIndex, fileIndex), fileIndex);
    observer_->StatusChanged(serviceCodeIndex);
  }
  return true;
}

void Catalogue::ShowServiceCode(int serviceCodeIndex) {
  if (observer_ != nullptr) observer_->ServiceCodeShown(serviceCodeIndex);
}

int Catalogue::MarkFileDeleted(int serviceCodeIndex, std::string_view fileName) {
  const std::string& code = serviceCode(serviceCodeIndex).name;
  int row = 0;
  for (auto& f : files_) {
    if (f.serviceCode != code) continue;
    if (f.fileName == fileName) {
      f.serviceCode = kDeletedMarker;
      --serviceCodes_[static_cast<std::size_t>(serviceCodeIndex)].fileCount;
      if (observer_ != nullptr) {
        observer_->FileRowRemoved(serviceCodeIndex, row);
        observer_->StatusChanged(serviceCodeIndex);
      }
      return row;
    }
    ++row;
  }
  return -1;
}

bool Catalogue::IsLive(int serviceCodeIndex) const {
  return serviceCodeIndex >= 0 && serviceCodeIndex < serviceCodeCount() &&
         serviceCode(serviceCodeIndex).name != kDeletedMarker;
}

int Catalogue::FindServiceCode(std::string_view name) const {
  if (name == kDeletedMarker) return -1;
  for (int i = 0; i < serviceCodeCount(); ++i) {
    if (serviceCode(i).name == name) return i;
  }
  return -1;
}

int Catalogue::FindFile(int serviceCodeIndex, std::string_view fileName) const {
  if (!IsLive(serviceCodeIndex)) return -1;
  const std::string& code = serviceCode(serviceCodeIndex).name;
  for (int i = 0; i < fileCount(); ++i) {
    if (file(i).serviceCode == code && file(i).fileName == fileName) return i;
  }
  return -1;
}

std::vector<int> Catalogue::FilesOf(int serviceCodeIndex) const {
  std::vector<int> result;
  if (!IsLive(serviceCodeIndex)) return result;
  const std::string& code = serviceCode(serviceCodeIndex).name;
  for (int i = 0; i < fileCount(); ++i) {
    if (file(i).serviceCode == code) result.push_back(i);
  }
  return result;
}

int Catalogue::RowOf(int serviceCodeIndex, int fileIndex) const {
  const std::string& code = serviceCode(serviceCodeIndex).name;
  int row = 0;
  for (int i = 0; i < fileIndex; ++i) row += file(i).serviceCode == code;
  return row;
}

}  // namespace lumvex::store
