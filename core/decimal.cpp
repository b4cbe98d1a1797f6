#include "core/decimal.h"

#include <climits>
#include <limits>

namespace lumvex {
namespace {

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Digits from `pos` on, saturating at kMax; where they end.
std::size_t ReadDigitsFrom(std::string_view text, std::size_t pos, std::int64_t& value) {
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
  result.end = ReadDigitsFrom(text, i, result.value);
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

std::optional<std::int64_t> ReadDigits(std::string_view field) {
  std::int64_t value = 0;
  if (field.empty() || ReadDigitsFrom(field, 0, value) != field.size()) return std::nullopt;
  return value;
}

std::optional<std::uint64_t> ReadDecimalField(std::string_view field) {
  const std::size_t first = field.find_first_not_of(' ');
  if (first == std::string_view::npos) return std::nullopt;
  const std::optional<std::int64_t> value = ReadDigits(field.substr(first, field.find_last_not_of(' ') + 1 - first));
  if (!value) return std::nullopt;
  return static_cast<std::uint64_t>(*value);
}

}  // namespace lumvex
