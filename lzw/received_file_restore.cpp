#include "lzw/received_file_restore.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <memory>
#include <optional>

#include "core/decimal.h"
#include "core/text_format.h"
#include "lzw/received_file_format.h"
#include "core/in_directory.h"
#include "core/file_handle.h"

namespace lumvex::lzw {
namespace {

constexpr std::size_t kWindow = 1 << 20;
constexpr std::size_t kRecordsPerRead = 4096;

bool ReadAt(int fd, char* buffer, std::size_t size, std::size_t offset) {
  while (size > 0) {
    const ssize_t n = ::pread(fd, buffer, size, static_cast<off_t>(offset));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    buffer += n;
    size -= static_cast<std::size_t>(n);
    offset += static_cast<std::size_t>(n);
  }
  return true;
}

bool WriteAt(int fd, const char* data, std::size_t size, std::size_t offset) {
  while (size > 0) {
    const ssize_t n = ::pwrite(fd, data, size, static_cast<off_t>(offset));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<std::size_t>(n);
    offset += static_cast<std::size_t>(n);
  }
  return true;
}

struct Restore {
  std::size_t offset;  // 0-based in the payload
  char byte;
};

// The whole records after the payload, read a block at a time; a short
// record at the very end is no record.
class RecordReader {
 public:
  RecordReader(int fd, std::size_t start, std::size_t fileSize)
      : fd_(fd), next_(start), end_(start + (fileSize - start) / kRestoreRecordSize * kRestoreRecordSize) {}

  enum class Status { Record, End, ReadFailed };

  Status Next(std::string_view& record) {
    if (pos_ == filled_) {
      if (next_ == end_) return Status::End;
      const std::size_t size = std::min(block_.size(), end_ - next_);
      if (!ReadAt(fd_, block_.data(), size, next_)) return Status::ReadFailed;
      blockStart_ = next_;
      next_ += size;
      filled_ = size;
      pos_ = 0;
    }
    record = std::string_view(block_.data() + pos_, kRestoreRecordSize);
    recordOffset_ = blockStart_ + pos_;
    pos_ += kRestoreRecordSize;
    return Status::Record;
  }

  std::size_t recordOffset() const { return recordOffset_; }

 private:
  int fd_;
  std::size_t next_;
  std::size_t end_;
  std::array<char, kRecordsPerRead * kRestoreRecordSize> block_{};
  std::size_t blockStart_ = 0;
  std::size_t filled_ = 0;
  std::size_t pos_ = 0;
  std::size_t recordOffset_ = 0;
};

class Restorer {
 public:
  Restorer(const std::filesystem::path& received, const std::filesystem::path& work) : received_(received), work_(work) {}

  RestoreResult Run(const std::filesystem::path& directory) {
    UniqueFd in(::open(InDirectory(directory, received_).c_str(), O_RDONLY | O_CLOEXEC));
    struct stat info {};
    if (!in.valid() || ::fstat(in.get(), &info) != 0 || S_ISDIR(info.st_mode)) return NotFound(received_);
    const auto fileSize = static_cast<std::size_t>(info.st_size);
    if (auto failure = ReadLength(in.get(), fileSize)) return {false, *failure, damaged_};

    UniqueFd out(::open(InDirectory(directory, work_).c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    if (!out.valid()) return NotFound(work_);
    RecordReader records(in.get(), kLengthFieldSize + length_, fileSize);
    if (auto failure = CopyPayload(in.get(), out.get(), records)) return {false, *failure, damaged_};
    if (!out.Close()) return {false, CannotWrite()};
    return {};
  }

 private:
  static RestoreResult NotFound(const std::filesystem::path& path) {
    return {false, Format("%s %s", kFileNotFoundText.data(), path.c_str())};
  }
  std::string CannotWrite() const { return Format("Cannot write file %s", work_.c_str()); }
  std::string CannotRead() const { return Format("Cannot read file %s", received_.c_str()); }
  std::string Damaged(std::string text) {
    damaged_ = true;
    return text;
  }

  std::optional<std::string> ReadLength(int fd, std::size_t fileSize) {
    std::array<char, kLengthFieldSize> field{};
    if (fileSize < field.size() || !ReadAt(fd, field.data(), field.size(), 0)) {
      return Damaged(Format("Received file %s is too short to hold its payload length", received_.c_str()));
    }
    const auto length = ReadDecimalField(std::string_view(field.data(), field.size()));
    if (!length) return Damaged(Format("Received file %s has a damaged payload length", received_.c_str()));
    length_ = *length;
    if (fileSize - kLengthFieldSize < length_) {
      return Damaged(Format("Received file %s is incomplete: %zu payload bytes announced, %zu present",
                            received_.c_str(), length_, fileSize - kLengthFieldSize));
    }
    return std::nullopt;
  }

  // One pass over the payload, a window at a time, putting back every byte
  // whose record points into the window. The host lists them in payload
  // order; a record that points back into bytes already written is applied
  // in place, so any order gives the same file.
  std::optional<std::string> CopyPayload(int in, int out, RecordReader& records) {
    const auto window = std::make_unique<char[]>(kWindow);
    for (std::size_t start = 0; start < length_; start += kWindow) {
      const std::size_t size = std::min(kWindow, length_ - start);
      if (!ReadAt(in, window.get(), size, kLengthFieldSize + start)) return CannotRead();
      for (;;) {
        if (auto failure = Advance(records)) return failure;
        if (!pending_ || pending_->offset >= start + size) break;
        if (pending_->offset >= start) {
          window[pending_->offset - start] = pending_->byte;
        } else if (!WriteAt(out, &pending_->byte, 1, pending_->offset)) {
          return CannotWrite();
        }
        pending_.reset();
      }
      if (!WriteAt(out, window.get(), size, start)) return CannotWrite();
    }
    for (;;) {
      if (auto failure = Advance(records)) return failure;
      if (!pending_) return std::nullopt;
      if (!WriteAt(out, &pending_->byte, 1, pending_->offset)) return CannotWrite();
      pending_.reset();
    }
  }

  // Makes `pending_` the next record that restores a byte, if there is one.
  std::optional<std::string> Advance(RecordReader& records) {
    while (!pending_ && recordsLeft_) {
      std::string_view record;
      switch (records.Next(record)) {
        case RecordReader::Status::End: recordsLeft_ = false; continue;
        case RecordReader::Status::ReadFailed: return CannotRead();
        case RecordReader::Status::Record: break;
      }
      const auto byte = RestoredByte(record[0]);
      if (!byte) continue;
      const auto position = ReadDecimalField(record.substr(1));
      if (!position) {
        return Damaged(Format("Received file %s has a damaged restore record at offset %zu", received_.c_str(),
                              records.recordOffset()));
      }
      if (*position == 0 || *position > length_) {
        return Damaged(Format("Received file %s has a restore record at offset %zu that points outside its payload",
                              received_.c_str(), records.recordOffset()));
      }
      pending_ = Restore{*position - 1, static_cast<char>(*byte)};
    }
    return std::nullopt;
  }

  const std::filesystem::path& received_;
  const std::filesystem::path& work_;
  std::size_t length_ = 0;
  std::optional<Restore> pending_;
  bool recordsLeft_ = true;
  bool damaged_ = false;
};

}  // namespace

RestoreResult RestoreReceivedFile(const std::filesystem::path& received, const std::filesystem::path& work,
                                  const std::filesystem::path& directory) {
  return Restorer(received, work).Run(directory);
}

}  // namespace lumvex::lzw
