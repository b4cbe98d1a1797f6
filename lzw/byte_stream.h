#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Block-wise input and output for the decoder, so that its inner loop makes
// no call per byte.
namespace lumvex::lzw {

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Fills up to `capacity` bytes; 0 at the end of the input.
  virtual std::size_t Read(unsigned char* buffer, std::size_t capacity) = 0;
};

class ByteSink {
 public:
  virtual ~ByteSink() = default;
  // False when the bytes could not all be written.
  virtual bool Write(const unsigned char* data, std::size_t size) = 0;
};

class StringSource : public ByteSource {
 public:
  explicit StringSource(std::string_view bytes) : rest_(bytes) {}
  std::size_t Read(unsigned char* buffer, std::size_t capacity) override;

 private:
  std::string_view rest_;
};

class StringSink : public ByteSink {
 public:
  explicit StringSink(std::string& out) : out_(out) {}
  bool Write(const unsigned char* data, std::size_t size) override;

 private:
  std::string& out_;
};

// A POSIX file descriptor, not owned; EINTR is retried.
class FdSource : public ByteSource {
 public:
  explicit FdSource(int fd) : fd_(fd) {}
  std::size_t Read(unsigned char* buffer, std::size_t capacity) override;
  bool failed() const { return failed_; }

 private:
  int fd_;
  bool failed_ = false;
};

class FdSink : public ByteSink {
 public:
  explicit FdSink(int fd) : fd_(fd) {}
  bool Write(const unsigned char* data, std::size_t size) override;

 private:
  int fd_;
};

}  // namespace lumvex::lzw
