#include "report/report_format.h"

#include <algorithm>

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

bool IsThaiMark(unsigned char c) { return c == 0xD1 || (c >= 0xD4 && c <= 0xD9) || (c >= 0xE7 && c <= 0xED); }

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

int ChannelIndex(std::string_view code) {
  code = code.substr(0, 3);
  for (int i = 0; i < kChannelLines; ++i) {
    if (kChannels[static_cast<std::size_t>(i)].code == code) return i;
  }
  return code == kTrq ? 1 : kNoChannelLine;
}

bool HasNoChequeData(std::string_view code) {
  code = code.substr(0, 3);
  return std::find(kNoChequeCodes.begin(), kNoChequeCodes.end(), code) != kNoChequeCodes.end();
}

std::string FormatAmount(std::string_view digits) {
  std::string padded;
  if (digits.size() < 3) {
    padded.assign(3 - digits.size(), '0').append(digits);
    digits = padded;
  }
  const std::size_t whole = digits.size() - 2;
  std::string out;
  out.reserve(digits.size() + 1 + whole / 3);
  for (std::size_t i = 0; i < whole; ++i) {
    if (i > 0 && (whole - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  out += '.';
  out.append(digits.substr(whole));

  const bool negative = out[0] == '-';
  if (negative) out[0] = '0';
  std::size_t kept = 0;
  while (kept < out.size() && (out[kept] == '0' || out[kept] == ',')) out[kept++] = ' ';
  if (kept < out.size() && out[kept] == '.' && kept > 0) out[--kept] = '0';
  if (negative && kept > 0) out[kept - 1] = '-';
  return out;
}

int CountThaiMarks(std::string_view text, std::size_t n) {
  text = text.substr(0, n);
  return static_cast<int>(std::count_if(text.begin(), text.end(),
                                        [](char c) { return IsThaiMark(static_cast<unsigned char>(c)); }));
}

std::string FitNameColumn(std::string_view item) {
  std::string name;
  name.reserve(48);
  name.append(TrimNamePart(Field(item, 53, 25))).append("  ").append(TrimNamePart(Field(item, 78, 20)));
  if (name.size() < 35) name.resize(35, ' ');
  const auto c1 = static_cast<std::size_t>(CountThaiMarks(name, 35));
  name.resize(35);
  name.append(c1, ' ');
  const auto c2 = static_cast<std::size_t>(CountThaiMarks(std::string_view(name).substr(c1 + 24), 9));
  name.resize(25 + c1 - c2);
  return name;
}

double AmountValue(std::string_view digits) {
  std::size_t i = 0;
  while (i < digits.size() && (digits[i] == ' ' || digits[i] == '\t')) ++i;
  bool negative = false;
  if (i < digits.size() && (digits[i] == '-' || digits[i] == '+')) negative = digits[i++] == '-';
  double value = 0;
  for (; i < digits.size() && digits[i] >= '0' && digits[i] <= '9'; ++i) value = value * 10 + (digits[i] - '0');
  return negative ? -value : value;
}

}  // namespace lumvex::report
