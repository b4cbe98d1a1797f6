#include "store/file_names.h"

#include <algorithm>
#include <cstdio>

namespace lumvex::store {
namespace {

constexpr std::string_view kFileStem = "kordex";

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

bool BreaksCatalogueField(char c) { return c == ',' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }

bool IsStorableFileName(std::string_view name) {
  return name.size() <= kMaxFileNameLength && IsSafeServiceCodeName(name) &&
         std::none_of(name.begin(), name.end(), BreaksCatalogueField);
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

std::string SetAsideFileName(std::string_view receivedFileName) { return std::string(receivedFileName) + ".bad"; }

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
