#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "store/catalogue.h"

namespace lumvex::store {

// Walks the text of download.log line by line without ever reading past its
// end. Lines may end in CR LF or LF alone; lines of white space are skipped,
// as reading a count or a name by its first token would skip them.
class CatalogueReader {
 public:
  explicit CatalogueReader(std::string_view text) : rest_(text) {}

  // The next line that holds more than white space, without its line end.
  bool NextLine(std::string_view& line);
  int lineNumber() const { return lineNumber_; }
  // True once NextLine found no more lines.
  bool ranOut() const { return ranOut_; }

 private:
  std::string_view rest_;
  int lineNumber_ = 0;
  bool ranOut_ = false;
};

// The first white-space-delimited token of a line.
std::string_view FirstToken(std::string_view line);

// The Service Code names of a catalogue text's first part, in file order, as
// the link dialogs read them for their lists; empty when the count is not 1
// to 10.
std::vector<std::string> ReadServiceCodeNames(std::string_view text);

// Splits an entry line into the six fields; false when a field is missing,
// empty or longer than its limit.
bool ParseFileEntry(std::string_view line, FileEntry& entry);

}  // namespace lumvex::store
