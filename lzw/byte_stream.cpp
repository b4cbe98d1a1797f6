#include "lzw/byte_stream.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "core/file_handle.h"

namespace lumvex::lzw {

std::size_t StringSource::Read(unsigned char* buffer, std::size_t capacity) {
  const std::size_t n = std::min(capacity, rest_.size());
  if (n != 0) std::memcpy(buffer, rest_.data(), n);
  rest_.remove_prefix(n);
  return n;
}

bool StringSink::Write(const unsigned char* data, std::size_t size) {
  out_.append(reinterpret_cast<const char*>(data), size);
  return true;
}

std::size_t FdSource::Read(unsigned char* buffer, std::size_t capacity) {
  for (;;) {
    const ssize_t n = ::read(fd_, buffer, capacity);
    if (n >= 0) return static_cast<std::size_t>(n);
    if (errno != EINTR) {
      failed_ = true;
      return 0;
    }
  }
}

bool FdSink::Write(const unsigned char* data, std::size_t size) {
  return WriteAll(fd_, std::string_view(reinterpret_cast<const char*>(data), size));
}

}  // namespace lumvex::lzw
