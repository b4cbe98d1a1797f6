#pragma once

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string_view>
#include <utility>

// Files opened here are closed when their handle goes, on every path out.
namespace lumvex {

// An open POSIX file descriptor.
class UniqueFd {
 public:
  explicit UniqueFd(int fd = -1) : fd_(fd) {}
  UniqueFd(UniqueFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  UniqueFd& operator=(UniqueFd&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.fd_, -1));
    return *this;
  }
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;
  ~UniqueFd() { Reset(); }

  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }

  // Closes now; false when the close reported an error (a write that failed late).
  bool Close() {
    if (fd_ < 0) return true;
    return ::close(std::exchange(fd_, -1)) == 0;
  }

 private:
  void Reset(int fd = -1) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
  }

  int fd_;
};

// A C stream, for the line-by-line readers.
struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using CFile = std::unique_ptr<std::FILE, FileCloser>;

inline CFile OpenFile(const std::filesystem::path& path, const char* mode) {
  return CFile(std::fopen(path.c_str(), mode));
}

// Writes all of `bytes`, resuming after signals and short writes.
bool WriteAll(int fd, std::string_view bytes);

}  // namespace lumvex
