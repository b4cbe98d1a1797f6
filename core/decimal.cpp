#include "core/decimal.h"

#include <climits>
#include <limits>

namespace lumvex {
namespace {

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Digits from `pos` on, saturating at kMax.
std::size_t ReadDigits(std::string_view text, std::size_t pos, std::int64_t& value) {
  value = 0;
  for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
    const int digit = text[pos] - '0';
    value = value > (kMax - digit) / 10 ? kMax : value * 10 + digit;
  }
  return pos;
}

}  // namespace

LeadingDecimal ReadLeadingDecimal(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  LeadingDecimal result;
  const std::size_t first = i;
  result.end = ReadDigits(text, i, result.value);
  result.hasDigits = result.end > first;
  if (!result.hasDigits) result.end = 0;
  if (negative) result.value = -result.value;
  return result;
}

int ReadLeadingInt(std::string_view text) {
  const std::int64_t value = ReadLeadingDecimal(text).value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

std::optional<std::uint64_t> ReadDecimalField(std::string_view field) {
  std::size_t i = 0;
  while (i < field.size() && field[i] == ' ') ++i;
  std::int64_t value = 0;
  const std::size_t end = ReadDigits(field, i, value);
  if (end == i) return std::nullopt;
  for (std::size_t j = end; j < field.size(); ++j) {
    if (field[j] != ' ') return std::nullopt;
  }
  return static_cast<std::uint64_t>(value);
}

}  // namespace lumvex
