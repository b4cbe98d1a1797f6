#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// Reading decimal numbers out of fixed fields and tokens of outside input.
// One overflow rule everywhere: a value beyond the range saturates at the
// range's end; it never wraps.
namespace lumvex {

struct LeadingDecimal {
  std::int64_t value = 0;   // 0 when no digit was read
  bool hasDigits = false;
  std::size_t end = 0;      // where reading stopped
};

// Leading blanks and tabs, an optional sign, then digits up to the first
// other character, as "%ld" would read them.
LeadingDecimal ReadLeadingDecimal(std::string_view text);

// The same, clamped to the int range.
int ReadLeadingInt(std::string_view text);

// A field of digits only (at least one), such as a date's or a length's.
std::optional<std::int64_t> ReadDigits(std::string_view field);

// A field that is a number and nothing else: blanks, digits (at least one),
// blanks. No sign. Nothing when anything else stands in it.
std::optional<std::uint64_t> ReadDecimalField(std::string_view field);

}  // namespace lumvex
