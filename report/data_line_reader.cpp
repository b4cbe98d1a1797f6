#include "report/data_line_reader.h"

#include <algorithm>
#include <cstring>

namespace lumvex::report {

DataLineReader::DataLineReader(std::FILE* file, std::size_t blockSize)
    : file_(file), buffer_(std::max(blockSize, 2 * kMaxLineLength)) {}

// Moves the unread rest to the front and reads more behind it.
bool DataLineReader::Fill() {
  if (atEof_) return false;
  if (begin_ > 0) {
    std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
  }
  const std::size_t got = std::fread(buffer_.data() + end_, 1, buffer_.size() - end_, file_);
  end_ += got;
  if (got == 0) {
    atEof_ = true;
    failed_ = std::ferror(file_) != 0;
  }
  return got > 0;
}

bool DataLineReader::Next(std::string_view& line) {
  if (finished_) return false;
  while (end_ - begin_ < kMaxLineLength &&
         std::memchr(buffer_.data() + begin_, '\n', end_ - begin_) == nullptr && Fill()) {
  }
  const std::size_t available = std::min(end_ - begin_, kMaxLineLength);
  const char* start = buffer_.data() + begin_;
  const auto* lf = static_cast<const char*>(std::memchr(start, '\n', available));
  const std::size_t length = lf != nullptr ? static_cast<std::size_t>(lf - start) + 1 : available;
  if (length < kShortestLine) {
    finished_ = true;
    return false;
  }
  line = std::string_view(start, length);
  begin_ += length;
  return true;
}

}  // namespace lumvex::report
