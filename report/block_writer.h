#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/file_handle.h"
#include "core/replacement_file.h"

namespace lumvex::report {

// Output in large blocks, remembering the first failure, so callers write
// line by line and ask once at the end whether everything reached the file.
class BlockWriter {
 public:
  explicit BlockWriter(CFile file, std::size_t capacity = 1 << 18) : file_(std::move(file)) {
    buffer_.reserve(capacity);
  }
  // Into a new version of a file; Close only flushes, the owner commits.
  explicit BlockWriter(ReplacementFile& file, std::size_t capacity = 1 << 18) : replacement_(&file) {
    buffer_.reserve(capacity);
  }
  // Appended to `text`, for output kept in memory.
  explicit BlockWriter(std::string& text, std::size_t capacity = 1 << 13) : text_(&text) { buffer_.reserve(capacity); }
  BlockWriter(const BlockWriter&) = delete;
  BlockWriter& operator=(const BlockWriter&) = delete;
  ~BlockWriter() { Close(); }

  void Write(std::string_view bytes) {
    if (buffer_.size() + bytes.size() > buffer_.capacity()) Flush();
    if (bytes.size() >= buffer_.capacity()) {
      Put(bytes);
    } else {
      buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
    }
  }
  // Room for `n` more bytes (n no more than the capacity), to be filled in
  // by the caller before the next call.
  char* Extend(std::size_t n) {
    if (buffer_.size() + n > buffer_.capacity()) Flush();
    buffer_.resize(buffer_.size() + n);
    return buffer_.data() + buffer_.size() - n;
  }

  // Writes what is left and closes; false when any write failed.
  bool Close() {
    if (replacement_ != nullptr || text_ != nullptr) {
      Flush();
      replacement_ = nullptr;
      text_ = nullptr;
    }
    if (!file_) return ok_;
    Flush();
    if (std::fclose(file_.release()) != 0) ok_ = false;
    return ok_;
  }
  bool ok() const { return ok_; }

 private:
  void Flush() {
    Put(std::string_view(buffer_.data(), buffer_.size()));
    buffer_.clear();
  }
  void Put(std::string_view bytes) {
    if (!ok_ || bytes.empty()) return;
    if (replacement_ != nullptr) {
      ok_ = replacement_->Write(bytes);
    } else if (text_ != nullptr) {
      text_->append(bytes);
    } else if (std::fwrite(bytes.data(), 1, bytes.size(), file_.get()) != bytes.size()) {
      ok_ = false;
    }
  }

  CFile file_;
  ReplacementFile* replacement_ = nullptr;
  std::string* text_ = nullptr;
  std::vector<char> buffer_;
  bool ok_ = true;
};

}  // namespace lumvex::report
