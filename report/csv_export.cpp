#include "report/csv_export.h"

#include <stdio.h>

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

// Every cell but the first after a comma, so that an empty first cell still counts.
void AppendCell(std::string& row, std::string_view text, bool first = false) {
  if (!first) row.push_back(',');
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
  AppendCell(row, Tis620ToUtf8(Trimmed(companyCode)), true);
  // Dates and times are digits in a sound file; anything else still comes out as UTF-8.
  AppendCell(row, Tis620ToUtf8(Split(Field(item, 39, 8), '/', 4)));
  AppendCell(row, Tis620ToUtf8(Split(Field(item, 47, 6), ':', 2)));
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

namespace {

// The header and a row per I record of an open data file, each handed to
// `row`; false when the file could not be read to its end.
template <typename Row>
bool WriteCsvRows(std::FILE* in, Row&& row) {
  row(kCsvHeader);
  DataLineReader reader(in, 1 << 14);
  std::string company;
  for (std::string_view line; reader.Next(line);) {
    line = WithoutLineEnd(line);
    if (line[0] == 'H') company = std::string(Field(line, 1, 8));
    if (line[0] == 'I') row(PaymentCsvRow(company, line));
  }
  return !reader.failed();
}

}  // namespace

std::string PaymentsCsvText(std::string_view data) {
  static char nothing;
  CFile in(::fmemopen(data.empty() ? &nothing : const_cast<char*>(data.data()), data.size(), "rb"));
  std::string csv;
  if (in) WriteCsvRows(in.get(), [&](std::string_view row) { csv += row; });
  return csv;
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
  const bool read = WriteCsvRows(in.get(), [&](std::string_view row) { writer.Write(row); });
  const bool written = writer.Close() && read && out.Commit();
  if (!written) messages.Show(MessageStyle::Failure, Format("Can't write file %s", csvFile.c_str()));
  return written;
}

}  // namespace lumvex::report
