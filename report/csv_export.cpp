#include "report/csv_export.h"

#include "core/decimal.h"
#include "core/file_handle.h"
#include "core/replacement_file.h"
#include "core/text_format.h"
#include "core/tis620.h"
#include "report/block_writer.h"
#include "report/data_line_reader.h"

namespace lumvex::report {
namespace {

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') + 1 - first);
}

std::string_view TrimmedField(std::string_view line, std::size_t offset, std::size_t width) {
  return Trimmed(Field(line, offset, width));
}

void AppendCell(std::string& row, std::string_view text) {
  if (!row.empty()) row.push_back(',');
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
    row.append(text);
    return;
  }
  row.push_back('"');
  for (char c : text) {
    if (c == '"') row.push_back('"');
    row.push_back(c);
  }
  row.push_back('"');
}

// "%.2s<sep>%.2s<sep>%.Ns" over fixed digits, as the report prints them.
std::string Split(std::string_view digits, char separator, std::size_t lastWidth) {
  std::string text(Field(digits, 0, 2));
  text.append(1, separator).append(Field(digits, 2, 2)).append(1, separator).append(Field(digits, 4, lastWidth));
  return text;
}

std::string Baht(std::string_view satangDigits) {
  const std::int64_t satang = ReadLeadingDecimal(satangDigits).value;
  const std::int64_t whole = satang / 100;
  const std::int64_t cents = satang % 100;
  return Format("%s%lld.%02lld", satang < 0 ? "-" : "", static_cast<long long>(whole < 0 ? -whole : whole),
                static_cast<long long>(cents < 0 ? -cents : cents));
}

}  // namespace

std::string PaymentCsvRow(std::string_view companyCode, std::string_view item) {
  std::string name = Tis620ToUtf8(TrimmedField(item, 53, 25));
  const std::string second = Tis620ToUtf8(TrimmedField(item, 78, 20));
  if (!second.empty()) name.append(" ").append(second);
  std::string row;
  AppendCell(row, Tis620ToUtf8(Trimmed(companyCode)));
  AppendCell(row, Split(Field(item, 39, 8), '/', 4));
  AppendCell(row, Split(Field(item, 47, 6), ':', 2));
  AppendCell(row, Tis620ToUtf8(TrimmedField(item, 103, 20)));
  AppendCell(row, name);
  AppendCell(row, Tis620ToUtf8(TrimmedField(item, 123, 20)));
  AppendCell(row, Tis620ToUtf8(TrimmedField(item, 163, 4)));
  AppendCell(row, Tis620ToUtf8(TrimmedField(item, 172, 3)));
  AppendCell(row, Tis620ToUtf8(TrimmedField(item, 175, 7)));
  AppendCell(row, Baht(Field(item, 182, 13)));
  AppendCell(row, Tis620ToUtf8(TrimmedField(item, 196, 2)));
  row.append("\r\n");
  return row;
}

bool ExportPaymentsCsv(const std::filesystem::path& dataFile, const std::filesystem::path& csvFile,
                       MessagePort& messages) {
  CFile in = OpenFile(dataFile, "rb");
  if (!in) {
    messages.Show(MessageStyle::Failure, Format("Can't open file %s", dataFile.c_str()));
    return false;
  }
  ReplacementFile out(csvFile);
  if (!out.opened()) {
    messages.Show(MessageStyle::Failure, Format("Can't open file %s", csvFile.c_str()));
    return false;
  }
  BlockWriter writer(out);
  writer.Write(kCsvHeader);
  DataLineReader reader(in.get());
  std::string company;
  for (std::string_view line; reader.Next(line);) {
    line = WithoutLineEnd(line);
    if (line[0] == 'H') company = std::string(Field(line, 1, 8));
    if (line[0] == 'I') writer.Write(PaymentCsvRow(company, line));
  }
  const bool written = writer.Close() && !reader.failed() && out.Commit();
  if (!written) messages.Show(MessageStyle::Failure, Format("Can't write file %s", csvFile.c_str()));
  return written;
}

}  // namespace lumvex::report
