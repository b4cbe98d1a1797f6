#include "report/data_file_import.h"

#include <algorithm>

#include "core/text_format.h"
#include "core/replacement_file.h"
#include "report/block_writer.h"
#include "report/data_line_reader.h"
#include "store/file_names.h"

namespace lumvex::report {
namespace {

namespace fs = std::filesystem;

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string ExpectedServiceCode(std::string_view serviceCode) {
  std::string code = Format("%-8.*s", static_cast<int>(std::min<std::size_t>(serviceCode.size(), 8)), serviceCode.data());
  std::transform(code.begin(), code.end(), code.begin(), AsciiUpper);
  return code;
}

std::string DatePrepareOf(std::string_view header) {
  std::string date;
  date.append(Field(header, 79, 2)).append("/").append(Field(header, 81, 2)).append("/").append(Field(header, 83, 4));
  // Bytes that would break a download.log line read as spaces.
  std::replace_if(date.begin(), date.end(), store::BreaksCatalogueField, ' ');
  return date;
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

std::optional<ImportedFile> CopyImportedFile(const fs::path& chosen, const fs::path& destination,
                                             std::string_view serviceCode, std::string_view fileName,
                                             MessagePort& messages) {
  auto fail = [&](std::string text) {
    messages.Show(MessageStyle::Failure, text);
    return std::nullopt;
  };
  CFile in = OpenFile(chosen, "rb");
  if (!in) return fail(Format("Can't open file %s", chosen.c_str()));
  ReplacementFile copy(destination);
  if (!copy.opened()) return fail(Format("Can't open file %s", destination.c_str()));

  const std::string expectedCode = ExpectedServiceCode(serviceCode);
  ImportedFile result{std::string(kUnknownDatePrepare), 0};
  BlockWriter out(copy);
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
  if (refusal.empty() && !(written && copy.Commit())) refusal = Format("Can't write file %s", destination.c_str());
  if (!refusal.empty()) return fail(std::move(refusal));
  return result;
}

}  // namespace lumvex::report
