// The CSV export reads data files, outside input: whatever their bytes, the
// CSV is the header and one record per I line, each of 11 cells, in UTF-8;
// and the TIS-620 conversions agree on every byte.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/tis620.h"
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

// Cells of the CSV records, quotes doubled inside quoted cells;
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

// The window's texts (the View Report dialog's among them) take each byte's
// character; the exports its UTF-8: the two must agree.
static void CheckTextConversion(std::string_view bytes) {
  std::string utf8;
  for (char c : bytes) {
    const char16_t u = lumvex::Tis620ToUnicode(static_cast<unsigned char>(c));
    if (u < 0x80) {
      utf8 += static_cast<char>(u);
    } else if (u < 0x800) {
      utf8 += static_cast<char>(0xC0 | (u >> 6));
      utf8 += static_cast<char>(0x80 | (u & 0x3F));
    } else {
      utf8 += static_cast<char>(0xE0 | (u >> 12));
      utf8 += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
      utf8 += static_cast<char>(0x80 | (u & 0x3F));
    }
  }
  if (utf8 != lumvex::Tis620ToUtf8(bytes)) std::abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  CheckTextConversion(bytes);
  const std::string csv = lumvex::report::PaymentsCsvText(bytes);
  if (!csv.starts_with(lumvex::report::kCsvHeader) || !IsUtf8(csv)) std::abort();
  std::size_t records = 0;
  if (!CountRecords(csv, records)) std::abort();
  return 0;
}
