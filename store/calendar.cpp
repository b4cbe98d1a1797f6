#include "store/calendar.h"

#include <array>

#include "core/decimal.h"

namespace lumvex::store {
namespace {

bool ReadDigits(std::string_view text, std::size_t pos, std::size_t count, int& value) {
  if (text.size() < pos + count) return false;
  const std::optional<std::int64_t> read = lumvex::ReadDigits(text.substr(pos, count));
  value = static_cast<int>(read.value_or(0));
  return read.has_value();
}

}  // namespace

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int CommonMonthLength(int month) {
  static constexpr std::array<int, 12> kLength = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month >= 1 && month <= 12 ? kLength[static_cast<std::size_t>(month - 1)] : 0;
}

std::optional<BillDate> ReadBillDate(std::string_view text) {
  BillDate date;
  if (!ReadDigits(text, 0, 2, date.day) || !ReadDigits(text, 2, 2, date.month) || !ReadDigits(text, 4, 4, date.year))
    return std::nullopt;
  return date;
}

int DayOfYear(std::string_view billDate) {
  static constexpr std::array<int, 12> kDaysBefore = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
  const std::optional<BillDate> date = ReadBillDate(billDate);
  if (!date || date->month < 1 || date->month > 12) return 0;
  int result = kDaysBefore[static_cast<std::size_t>(date->month - 1)] + date->day;
  if (date->month > 2 && IsLeapYear(date->year)) ++result;
  return result;
}

bool IsAcceptedBillDate(std::string_view text, const LocalTime& today) {
  const std::optional<BillDate> read = text.size() == 8 ? ReadBillDate(text) : std::nullopt;
  if (!read) return false;
  const auto [day, month, year] = *read;
  if (month < 1 || month > 12 || day < 1 || day > 31) return false;
  const bool lastYear = year == today.year - 1;
  if (year != today.year && !lastYear) return false;
  if (day > CommonMonthLength(month)) {
    if (month != 2 || day != 29 || !IsLeapYear(year)) return false;
    return !(today.month == 2 && lastYear);
  }
  if (lastYear && month <= today.month) return false;
  return true;
}

}  // namespace lumvex::store
