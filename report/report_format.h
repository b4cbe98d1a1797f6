#pragma once

#include <array>
#include <string>
#include <string_view>

// The pieces of a report line: amounts, Thai name cells, payment channels.
// Texts are bytes (TIS-620); nothing here converts them.
namespace lumvex::report {

inline constexpr int kChannelLines = 14;
inline constexpr int kGrandTotalLine = 12;
inline constexpr int kNoChannelLine = -1;
inline constexpr std::size_t kChannelLabelWidth = 39;

struct ChannelLine {
  std::string_view code;   // the first code that maps here
  std::string_view label;  // kChannelLabelWidth characters, space-padded
};

// Lines 0 to 13 of a company block's totals, in table order.
const std::array<ChannelLine, kChannelLines>& ChannelTable();
// The labels of the three trailer lines, padded like the channel labels.
std::string_view TotalChargeLabel();
std::string_view TotalDiscountLabel();
std::string_view VatLabel();

// The totals line of a payment channel code (its first three characters),
// 0 to 13, or kNoChannelLine. TRQ is tried after the table and counts as TRF.
int ChannelIndex(std::string_view code);

// Channels that carry no cheque: their detail lines show blanks in place of
// the cheque number and bank code.
bool HasNoChequeData(std::string_view code);

// A satang digit string (the last two are satang) as "1,234.56": thousands
// separated, leading zeros and commas blanked, one zero kept before the
// point, a leading '-' moved next to the first digit. The output is
// L + 1 + (L - 3) / 3 characters for L input characters; a text shorter than
// 3 characters is first filled with '0' on the left.
std::string FormatAmount(std::string_view digits);
// The same written at `out`, which has room for 2 * digits.size() + 4
// bytes; returns the end of what was written.
char* FormatAmountTo(char* out, std::string_view digits);

// How many of the first `n` bytes are TIS-620 non-spacing marks (0xD1,
// 0xD4 to 0xD9, 0xE7 to 0xED), which take no column on screen or paper.
int CountThaiMarks(std::string_view text, std::size_t n);

// The customer-name cell of an item record (without its line end): both name
// parts, trimmed, joined by two spaces, cut so that it shows as 25 columns
// while non-spacing marks take none.
std::string FitNameColumn(std::string_view item);
// The same written at `out`, which has room for kNameCellMax bytes.
inline constexpr std::size_t kNameCellMax = 60;
char* FitNameColumnTo(char* out, std::string_view item);

// The amount's value as the report adds it: leading blanks, a sign and the
// digits up to the first other character.
double AmountValue(std::string_view digits);

}  // namespace lumvex::report
