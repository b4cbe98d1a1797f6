#include "report/data_file_import.h"

#include <algorithm>
#include <system_error>

#include "core/text_format.h"
#include "report/c_file.h"
#include "report/data_line_reader.h"
#include "store/file_names.h"

namespace lumvex::report {
namespace {

namespace fs = std::filesystem;

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Bytes that would break a download.log line (its separator, line ends,
// other control characters) read as spaces in a catalogue field.
bool BreaksCatalogueLine(char c) { return c == ',' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }

std::string ExpectedServiceCode(std::string_view serviceCode) {
  std::string code = Format("%-8.*s", static_cast<int>(std::min<std::size_t>(serviceCode.size(), 8)), serviceCode.data());
  std::transform(code.begin(), code.end(), code.begin(), AsciiUpper);
  return code;
}

std::string DatePrepareOf(std::string_view header) {
  std::string date;
  date.append(Field(header, 79, 2)).append("/").append(Field(header, 81, 2)).append("/").append(Field(header, 83, 4));
  std::replace_if(date.begin(), date.end(), BreaksCatalogueLine, ' ');
  return date;
}

bool IsStorableFileName(std::string_view name) {
  return name.size() <= store::kMaxFileNameLength && store::IsSafeServiceCodeName(name) &&
         std::none_of(name.begin(), name.end(), BreaksCatalogueLine);
}

void RemoveQuietly(const fs::path& path) {
  std::error_code ec;
  fs::remove(path, ec);
}

// Refusals of a header line, or an empty text when it passes.
std::string HeaderRefusal(std::string_view header, std::string_view expectedCode, std::string_view serviceCode,
                          std::string_view fileName) {
  if (Field(header, 1, 8) != expectedCode) {
    return Format("Service code in file %.*s is not equal %.*s", static_cast<int>(fileName.size()), fileName.data(),
                  static_cast<int>(serviceCode.size()), serviceCode.data());
  }
  if (Field(header, 9, 6) != kServiceType) return "Service type not equal 'KORDEX'";
  return {};
}

}  // namespace

std::string ImportedFileName(std::string_view chosenPath) {
  const std::size_t slash = chosenPath.find_last_of('/');
  std::string name(slash == std::string_view::npos ? chosenPath : chosenPath.substr(slash + 1));
  std::transform(name.begin(), name.end(), name.begin(), AsciiLower);
  return name;
}

std::optional<ImportedFile> CopyImportedFile(const fs::path& chosen, const fs::path& destination,
                                             std::string_view serviceCode, std::string_view fileName,
                                             MessagePort& messages) {
  auto fail = [&](std::string text) {
    messages.Show(MessageStyle::Failure, text);
    return std::nullopt;
  };
  CFile in = OpenFile(chosen, "rb");
  if (!in) return fail(Format("Can't open file %s", chosen.c_str()));
  const fs::path partial = fs::path(destination).concat(".import");
  CFile outFile = OpenFile(partial, "wb");
  if (!outFile) return fail(Format("Can't open file %s", destination.c_str()));

  const std::string expectedCode = ExpectedServiceCode(serviceCode);
  ImportedFile result{std::string(kUnknownDatePrepare), 0};
  BlockWriter out(std::move(outFile));
  DataLineReader reader(in.get());
  std::string refusal;
  for (std::string_view line; refusal.empty() && reader.Next(line);) {
    if (line[0] == 'H') {
      const std::string_view header = WithoutLineEnd(line);
      refusal = HeaderRefusal(header, expectedCode, serviceCode, fileName);
      if (!refusal.empty()) break;
      result.datePrepare = DatePrepareOf(header);
    }
    out.Write(line);
    result.byteCount += line.size();
  }
  const bool written = out.Close();
  if (refusal.empty() && reader.failed()) refusal = Format("Can't read file %s", chosen.c_str());
  if (refusal.empty() && !written) refusal = Format("Can't write file %s", destination.c_str());
  std::error_code ec;
  if (refusal.empty()) {
    fs::rename(partial, destination, ec);
    if (ec) refusal = Format("Can't write file %s", destination.c_str());
  }
  if (!refusal.empty()) {
    RemoveQuietly(partial);
    return fail(std::move(refusal));
  }
  return result;
}

bool ImportDataFile(store::Catalogue& catalogue, int serviceCodeIndex, const fs::path& chosenPath,
                    MessagePort& messages, const Clock& clock) {
  if (serviceCodeIndex < 0 || serviceCodeIndex >= catalogue.serviceCodeCount() ||
      !catalogue.IsLive(serviceCodeIndex)) {
    messages.Show(MessageStyle::Plain, "Please Select Service Code for Import");
    return false;
  }
  const std::string code = catalogue.serviceCode(serviceCodeIndex).name;
  const std::string name = ImportedFileName(chosenPath.string());
  if (!IsStorableFileName(name)) {
    messages.Show(MessageStyle::Failure, Format("File name %s can't be kept in the catalogue", name.c_str()));
    return false;
  }
  for (int f : catalogue.FilesOf(serviceCodeIndex)) {
    if (catalogue.file(f).fileName == name) {
      messages.Show(MessageStyle::Failure, Format("This file are already in %s", code.c_str()));
      return false;
    }
  }
  const fs::path destination = catalogue.storeRoot() / code / name;
  const auto imported = CopyImportedFile(chosenPath, destination, code, name, messages);
  if (!imported) return false;

  store::FileEntry entry;
  entry.fileName = name;
  entry.serviceCode = code;
  entry.description = store::kDownloadDescription;
  entry.datePrepare = imported->datePrepare;
  entry.dateRetrieve = store::DateRetrieve(clock.Now().value_or(LocalTime{}));
  entry.fileSize = Format("%llu", static_cast<unsigned long long>(imported->byteCount));
  entry.image = store::kFileImage;
  const int before = catalogue.fileCount();
  const bool recorded = catalogue.AppendFile(serviceCodeIndex, std::move(entry));
  // A full table takes no entry; a file the catalogue does not list must not stay.
  if (catalogue.fileCount() == before) RemoveQuietly(destination);
  return recorded;
}

}  // namespace lumvex::report
