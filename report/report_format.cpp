#include "report/report_format.h"

#include <algorithm>
#include <bit>
#include <cstdint>

#include "core/decimal.h"
#include "report/data_line_reader.h"

namespace lumvex::report {
namespace {

constexpr std::string_view kTrq = "TRQ";
constexpr std::array<std::string_view, 10> kNoChequeCodes = {"CSH", "ATM", "FAX", "CAL", "TEL",
                                                             "EPY", "EPC", "MBC", "IND", "INC"};

// Labels are kept at their printed width so the totals line up at column 104.
constexpr std::array<ChannelLine, kChannelLines> kChannels = {{
    {"CSH", "TOTAL TRANS. CASH                      "},
    {"TRF", "             TRQ.,TRF.                 "},
    {"CLQ", "             CLQ.                      "},
    {"ATM", "             ATM                       "},
    {"TEL", "             KELVORIN PHONE            "},
    {"FAX", "             TELEFAX                   "},
    {"CAL", "             PHONE BANKING CENTER      "},
    {"EPY", "             PAYMENT ON THE NET(DEBIT) "},
    {"EPC", "             PAYMENT ON THE NET(CREDIT)"},
    {"MBC", "             M-PHONE (CREDIT CARD)     "},
    {"IND", "             INTERNET (DEBIT A/C)      "},
    {"INC", "             INTERNET (CREDIT CARD)    "},
    {"ZZZ", "GRAND TOTAL TRANS.                     "},
    {"RTQ", "RETURN                                 "},
}};

constexpr std::array<bool, 256> kIsThaiMark = [] {
  std::array<bool, 256> marks{};
  marks[0xD1] = true;
  for (int c = 0xD4; c <= 0xD9; ++c) marks[static_cast<std::size_t>(c)] = true;
  for (int c = 0xE7; c <= 0xED; ++c) marks[static_cast<std::size_t>(c)] = true;
  return marks;
}();

// Trailing spaces go, but never the first character.
std::string_view TrimNamePart(std::string_view part) {
  while (part.size() > 1 && part.back() == ' ') part.remove_suffix(1);
  return part;
}

}  // namespace

const std::array<ChannelLine, kChannelLines>& ChannelTable() { return kChannels; }
std::string_view TotalChargeLabel() { return "TOTAL CHARGE AMOUNT                    "; }
std::string_view TotalDiscountLabel() { return "TOTAL DISCOUNT AMOUNT (CREDIT CARD)    "; }
std::string_view VatLabel() { return "VAT (CREDIT CARD)                      "; }

namespace {

// The three code characters as one number, so a lookup is a few integer compares.
constexpr std::uint32_t CodeKey(std::string_view code) {
  if (code.size() < 3) return 0;
  return static_cast<std::uint32_t>(static_cast<unsigned char>(code[0])) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(code[1])) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(code[2]));
}

constexpr std::array<std::uint32_t, kChannelLines> kChannelKeys = [] {
  std::array<std::uint32_t, kChannelLines> keys{};
  for (std::size_t i = 0; i < keys.size(); ++i) keys[i] = CodeKey(kChannels[i].code);
  return keys;
}();

}  // namespace

int ChannelIndex(std::string_view code) {
  const std::uint32_t key = CodeKey(code);
  if (key == 0) return kNoChannelLine;
  for (int i = 0; i < kChannelLines; ++i) {
    if (kChannelKeys[static_cast<std::size_t>(i)] == key) return i;
  }
  return key == CodeKey(kTrq) ? 1 : kNoChannelLine;
}

bool HasNoChequeData(std::string_view code) {
  const std::uint32_t key = CodeKey(code);
  return std::any_of(kNoChequeCodes.begin(), kNoChequeCodes.end(),
                     [key](std::string_view c) { return CodeKey(c) == key; });
}

char* FormatAmountTo(char* out, std::string_view digits) {
  char padded[3] = {'0', '0', '0'};
  if (digits.size() < 3) {
    std::copy(digits.begin(), digits.end(), padded + 3 - digits.size());
    digits = std::string_view(padded, 3);
  }
  char* text = out;
  const std::size_t whole = digits.size() - 2;
  for (std::size_t i = 0; i < whole; ++i) {
    if (i > 0 && (whole - i) % 3 == 0) *out++ = ',';
    *out++ = digits[i];
  }
  *out++ = '.';
  *out++ = digits[whole];
  *out++ = digits[whole + 1];

  const auto length = static_cast<std::size_t>(out - text);
  const bool negative = text[0] == '-';
  if (negative) text[0] = '0';
  std::size_t kept = 0;
  while (kept < length && (text[kept] == '0' || text[kept] == ',')) text[kept++] = ' ';
  if (kept < length && text[kept] == '.' && kept > 0) text[--kept] = '0';
  if (negative && kept > 0) text[kept - 1] = '-';
  return out;
}

std::string FormatAmount(std::string_view digits) {
  std::string out(2 * digits.size() + 4, ' ');
  out.resize(static_cast<std::size_t>(FormatAmountTo(out.data(), digits) - out.data()));
  return out;
}

int CountThaiMarks(std::string_view text, std::size_t n) {
  text = text.substr(0, n);
  int count = 0;
  for (const char c : text) count += kIsThaiMark[static_cast<unsigned char>(c)] ? 1 : 0;
  return count;
}

char* FitNameColumnTo(char* out, std::string_view item) {
  constexpr std::size_t kWidth = 35;
  char name[kWidth * 2];  // N cut at 35 bytes, then c1 <= 35 spaces
  std::size_t n = 0;
  auto put = [&](std::string_view text) {
    const std::size_t take = std::min(text.size(), kWidth - n);
    std::copy_n(text.data(), take, name + n);
    n += take;
  };
  put(TrimNamePart(Field(item, 53, 25)));
  put("  ");
  put(TrimNamePart(Field(item, 78, 20)));
  std::fill(name + n, name + kWidth, ' ');
  // One pass counts the non-spacing marks and notes where they are.
  std::uint64_t marks = 0;
  std::size_t c1 = 0;
  for (std::size_t i = 0; i < kWidth; ++i) {
    const std::uint64_t mark = kIsThaiMark[static_cast<unsigned char>(name[i])] ? 1 : 0;
    c1 += mark;
    marks |= mark << i;
  }
  // The 9 bytes from c1 + 24; the c1 spaces appended after byte 35 hold no marks.
  const std::uint64_t window = c1 + 24 < kWidth ? (marks >> (c1 + 24)) & 0x1FF : 0;
  const auto c2 = static_cast<std::size_t>(window == 0 ? 0 : std::popcount(window));
  std::fill(name + kWidth, name + kWidth + c1, ' ');
  return std::copy_n(name, 25 + c1 - c2, out);
}

std::string FitNameColumn(std::string_view item) {
  char cell[kNameCellMax];
  return std::string(cell, FitNameColumnTo(cell, item));
}

double AmountValue(std::string_view digits) { return static_cast<double>(ReadLeadingDecimal(digits).value); }

}  // namespace lumvex::report
