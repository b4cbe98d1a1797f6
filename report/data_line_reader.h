#pragma once

#include <cstdio>
#include <string_view>
#include <vector>

namespace lumvex::report {

// Reads a bill-payment data file line by line, as the report, the copy and
// the import all read it: a line runs up to and including its LF but holds
// at most 512 characters (the rest of a longer line comes as the next line),
// and the first line shorter than 10 characters, line end counted, ends the
// file: it and everything after it are never returned.
class DataLineReader {
 public:
  static constexpr std::size_t kMaxLineLength = 512;
  static constexpr std::size_t kShortestLine = 10;

  // Does not own `file`.
  explicit DataLineReader(std::FILE* file, std::size_t blockSize = 1 << 16);

  // The next line with its line end; false at the end. The text stays valid
  // until the next call.
  bool Next(std::string_view& line);

  // True when the end came from a read error rather than the data.
  bool failed() const { return failed_; }

 private:
  bool Fill();

  std::FILE* file_;
  std::vector<char> buffer_;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  bool atEof_ = false;
  bool finished_ = false;
  bool failed_ = false;
};

// The line without its final LF and the CR before it (only those present).
inline std::string_view WithoutLineEnd(std::string_view line) {
  if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

// `width` characters at `offset`, fewer (or none) where the text ends first.
// An empty field past the end still points into the text, never at null.
inline std::string_view Field(std::string_view text, std::size_t offset, std::size_t width) {
  return text.substr(offset < text.size() ? offset : text.size(), width);
}

}  // namespace lumvex::report
