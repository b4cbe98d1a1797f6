#include "store/file_names.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace lumvex::store {
namespace {

constexpr std::string_view kFileStem = "kordex";

bool ReadDigits(std::string_view text, std::size_t pos, std::size_t count, int& value) {
  if (text.size() < pos + count) return false;
  value = 0;
  for (std::size_t i = pos; i < pos + count; ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return true;
}

std::string Join(std::string_view directory, std::string_view name) {
  std::string path;
  path.reserve(directory.size() + 1 + name.size());
  path.append(directory).append("/").append(name);
  return path;
}

std::string NumberedName(std::string_view serviceCode, std::string_view marker, int dayOfYear) {
  char suffix[16];
  std::snprintf(suffix, sizeof suffix, ".%.3d", dayOfYear);
  std::string name(kFileStem);
  name.append(marker).append(suffix);
  return Join(serviceCode, name);
}

}  // namespace

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DayOfYear(std::string_view billDate) {
  static constexpr std::array<int, 12> kDaysBefore = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
  int day = 0;
  int month = 0;
  int year = 0;
  if (!ReadDigits(billDate, 0, 2, day) || !ReadDigits(billDate, 2, 2, month) || !ReadDigits(billDate, 4, 4, year))
    return 0;
  if (month < 1 || month > 12) return 0;
  int result = kDaysBefore[static_cast<std::size_t>(month - 1)] + day;
  if (month > 2 && IsLeapYear(year)) ++result;
  return result;
}

bool IsSafeServiceCodeName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  return name.find_first_of("/\\") == std::string_view::npos && name.find('\0') == std::string_view::npos;
}

bool IsStorableServiceCodeName(std::string_view name) {
  return name.size() <= kMaxServiceCodeLength && IsSafeServiceCodeName(name) && name != kDeletedMarker &&
         name.find_first_of(" \t\r\n\v\f,'") == std::string_view::npos;
}

std::string ServiceCodeNameRefusal(std::string_view name) {
  char text[256];
  std::snprintf(text, sizeof text,
                "'%.*s' cannot be a Service Code: use 1 to %zu characters without spaces, commas, "
                "apostrophes, \"/\" or \"\\\", other than \".\", \"..\" and \"deleted\".",
                static_cast<int>(std::min<std::size_t>(name.size(), 64)), name.data(), kMaxServiceCodeLength);
  return text;
}

std::string ReceivedFileName(std::string_view serviceCode, int dayOfYear) {
  return NumberedName(serviceCode, "$$", dayOfYear);
}

std::string WorkFileName(std::string_view serviceCode, int dayOfYear) {
  return NumberedName(serviceCode, "!!", dayOfYear);
}

std::string DataFileName(std::string_view serviceCode, int dayOfYear) {
  return NumberedName(serviceCode, "", dayOfYear);
}

std::string DataFileEntryName(int dayOfYear) {
  char name[32];
  std::snprintf(name, sizeof name, "kordex.%03d", dayOfYear);
  return name;
}

std::string StoredFilePath(std::string_view serviceCode, std::string_view fileName) {
  return Join(serviceCode, fileName);
}

std::string ReceivedFileOfName(std::string_view serviceCode, std::string_view fileName) {
  std::string name(fileName.substr(0, 6));
  name.append("$$.");
  if (fileName.size() > 7) name.append(fileName.substr(7, 3));
  return Join(serviceCode, name);
}

std::string DatePrepare(std::string_view billDate) {
  auto part = [&](std::size_t pos, std::size_t count) {
    return pos < billDate.size() ? billDate.substr(pos, count) : std::string_view{};
  };
  std::string text;
  text.append(part(0, 2)).append("/").append(part(2, 2)).append("/").append(part(4, 4));
  return text;
}

std::string DateRetrieve(const LocalTime& now) {
  char text[40];
  std::snprintf(text, sizeof text, "%.2d/%.2d/%.4d", now.day, now.month, now.year);
  return text;
}

}  // namespace lumvex::store
