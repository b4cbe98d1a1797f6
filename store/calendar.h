#pragma once

#include <optional>
#include <string_view>

#include "core/clock.h"

// The calendar of bill dates: DDMMYYYY texts of the Christian era.
namespace lumvex::store {

struct BillDate {
  int day = 0;
  int month = 0;
  int year = 0;
};

// Divisible by 4 and not by 100, or divisible by 400.
bool IsLeapYear(int year);
// Days of a month (1 to 12) in a common year: 28 for February.
int CommonMonthLength(int month);

// Day, month and year of a text that starts with eight digits; nothing else.
std::optional<BillDate> ReadBillDate(std::string_view text);

// Day of the year (1 to 366) of a DDMMYYYY bill date; 0 when the text does
// not start with eight digits or the month is outside 1 to 12.
int DayOfYear(std::string_view billDate);

// The Download dialog's date check: exactly eight digits, a real day, and a
// date from the month after the current one of last year to the end of this
// year, against `today`.
bool IsAcceptedBillDate(std::string_view date, const LocalTime& today);

}  // namespace lumvex::store
