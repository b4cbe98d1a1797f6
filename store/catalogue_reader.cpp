#include "store/catalogue_reader.h"

#include <array>
#include <climits>

#include "core/decimal.h"

namespace lumvex::store {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

std::string_view TrimLeft(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  return text.substr(i);
}

// Takes the text up to the next comma; false when there is no comma.
bool TakeField(std::string_view& rest, std::string_view& field) {
  const std::size_t comma = rest.find(',');
  if (comma == std::string_view::npos) return false;
  field = rest.substr(0, comma);
  rest.remove_prefix(comma + 1);
  return true;
}

}  // namespace

bool CatalogueReader::NextLine(std::string_view& line) {
  while (!rest_.empty()) {
    const std::size_t end = rest_.find('\n');
    line = rest_.substr(0, end);
    rest_.remove_prefix(end == std::string_view::npos ? rest_.size() : end + 1);
    ++lineNumber_;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!TrimLeft(line).empty()) return true;
  }
  ranOut_ = true;
  return false;
}

std::string_view FirstToken(std::string_view line) {
  line = TrimLeft(line);
  std::size_t end = 0;
  while (end < line.size() && !IsSpace(line[end])) ++end;
  return line.substr(0, end);
}

std::vector<std::string> ReadServiceCodeNames(std::string_view text) {
  CatalogueReader reader(text);
  std::string_view line;
  const int count = reader.NextLine(line) ? ReadLeadingInt(FirstToken(line)) : 0;
  std::vector<std::string> names;
  if (count < 1 || count > MAX_SERVICE_CODES) return names;
  for (int i = 0; i < count && reader.NextLine(line); ++i) {
    const std::string_view name = FirstToken(line);
    if (IsStorableServiceCodeName(name)) names.emplace_back(name);
  }
  return names;
}

bool ParseFileEntry(std::string_view line, FileEntry& entry) {
  static constexpr std::array<std::size_t, 5> kLimits = {kMaxFileNameLength, kMaxServiceCodeLength,
                                                         kMaxDescriptionLength, kMaxDateLength, kMaxDateLength};
  std::array<std::string_view, 5> fields;
  std::string_view rest = line;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (!TakeField(rest, fields[i]) || fields[i].empty() || fields[i].size() > kLimits[i]) return false;
  }
  const std::string_view size = FirstToken(rest);
  if (size.empty() || size.size() > kMaxFileSizeLength) return false;
  entry = FileEntry{std::string(fields[0]), std::string(fields[1]), std::string(fields[2]),
                    std::string(fields[3]), std::string(fields[4]), std::string(size), kFileImage};
  return true;
}

}  // namespace lumvex::store
