#include "lzw/received_file_restore.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <memory>
#include <optional>

#include "core/decimal.h"
#include "core/file_handle.h"
#include "core/in_directory.h"
#include "core/text_format.h"
#include "lzw/received_file_format.h"

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

// Where the restore reads the received file and writes the work file.
class RestoreIo {
 public:
  virtual ~RestoreIo() = default;
  virtual bool Read(char* buffer, std::size_t size, std::size_t offset) = 0;
  virtual bool Write(const char* data, std::size_t size, std::size_t offset) = 0;
};

class FileIo : public RestoreIo {
 public:
  FileIo(int in, int out) : in_(in), out_(out) {}
  bool Read(char* buffer, std::size_t size, std::size_t offset) override { return ReadAt(in_, buffer, size, offset); }
  bool Write(const char* data, std::size_t size, std::size_t offset) override {
    return WriteAt(out_, data, size, offset);
  }

 private:
  int in_;
  int out_;
};

class MemoryIo : public RestoreIo {
 public:
  MemoryIo(std::string_view in, std::string& out) : in_(in), out_(out) {}
  bool Read(char* buffer, std::size_t size, std::size_t offset) override {
    if (offset > in_.size() || size > in_.size() - offset) return false;
    std::copy_n(in_.data() + offset, size, buffer);
    return true;
  }
  bool Write(const char* data, std::size_t size, std::size_t offset) override {
    if (out_.size() < offset + size) out_.resize(offset + size);
    std::copy_n(data, size, out_.data() + offset);
    return true;
  }

 private:
  std::string_view in_;
  std::string& out_;
};

struct Restore {
  std::size_t offset;  // 0-based in the payload
  char byte;
};

// The whole records after the payload, read a block at a time; a short
// record at the very end is no record.
class RecordReader {
 public:
  RecordReader(RestoreIo& io, std::size_t start, std::size_t fileSize)
      : io_(io), next_(start), end_(start + (fileSize - start) / kRestoreRecordSize * kRestoreRecordSize) {}

  enum class Status { Record, End, ReadFailed };

  Status Next(std::string_view& record) {
    if (pos_ == filled_) {
      if (next_ == end_) return Status::End;
      const std::size_t size = std::min(block_.size(), end_ - next_);
      if (!io_.Read(block_.data(), size, next_)) return Status::ReadFailed;
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
  RestoreIo& io_;
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
  Restorer(const std::filesystem::path& received, const std::filesystem::path& work)
      : received_(received), work_(work) {}

  RestoreResult Run(const std::filesystem::path& directory) {
    UniqueFd in(::open(InDirectory(directory, received_).c_str(), O_RDONLY | O_CLOEXEC));
    struct stat info {};
    if (!in.valid() || ::fstat(in.get(), &info) != 0 || S_ISDIR(info.st_mode)) return NotFound(received_);
    const auto fileSize = static_cast<std::size_t>(info.st_size);
    FileIo checking(in.get(), -1);
    if (auto failure = ReadLength(checking, fileSize)) return {false, *failure, damaged_};

    UniqueFd out(::open(InDirectory(directory, work_).c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    if (!out.valid()) return NotFound(work_);
    FileIo io(in.get(), out.get());
    if (auto failure = PutBack(io, fileSize)) return {false, *failure, damaged_};
    if (!out.Close()) return {false, CannotWrite()};
    return {};
  }

  RestoreResult Run(std::string_view received, std::string& work) {
    work.clear();
    MemoryIo io(received, work);
    if (auto failure = ReadLength(io, received.size())) return {false, *failure, damaged_};
    if (auto failure = PutBack(io, received.size())) return {false, *failure, damaged_};
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

  // The payload into the work file with every removed byte put back.
  std::optional<std::string> PutBack(RestoreIo& io, std::size_t fileSize) {
    RecordReader records(io, kLengthFieldSize + length_, fileSize);
    return CopyPayload(io, records);
  }

  std::optional<std::string> ReadLength(RestoreIo& io, std::size_t fileSize) {
    std::array<char, kLengthFieldSize> field{};
    if (fileSize < field.size() || !io.Read(field.data(), field.size(), 0)) {
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
  std::optional<std::string> CopyPayload(RestoreIo& io, RecordReader& records) {
    const std::size_t windowSize = std::min(kWindow, std::max<std::size_t>(length_, 1));
    const auto window = std::make_unique<char[]>(windowSize);
    for (std::size_t start = 0; start < length_; start += windowSize) {
      const std::size_t size = std::min(windowSize, length_ - start);
      if (!io.Read(window.get(), size, kLengthFieldSize + start)) return CannotRead();
      for (;;) {
        if (auto failure = Advance(records)) return failure;
        if (!pending_ || pending_->offset >= start + size) break;
        if (pending_->offset >= start) {
          window[pending_->offset - start] = pending_->byte;
        } else if (!io.Write(&pending_->byte, 1, pending_->offset)) {
          return CannotWrite();
        }
        pending_.reset();
      }
      if (!io.Write(window.get(), size, start)) return CannotWrite();
    }
    for (;;) {
      if (auto failure = Advance(records)) return failure;
      if (!pending_) return std::nullopt;
      if (!io.Write(&pending_->byte, 1, pending_->offset)) return CannotWrite();
      pending_.reset();
    }
  }

  // Makes `pending_` the next record that restores a byte, if there is one.
  std::optional<std::string> Advance(RecordReader& records) {
    while (!pending_ && recordsLeft_) {
      std::string_view record;
      switch (records.Next(record)) {
        case RecordReader::Status::End:
          recordsLeft_ = false;
          continue;
        case RecordReader::Status::ReadFailed:
          return CannotRead();
        case RecordReader::Status::Record:
          break;
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

RestoreResult RestoreReceivedBytes(std::string_view received, std::string& work,
                                   const std::filesystem::path& receivedName, const std::filesystem::path& workName) {
  return Restorer(receivedName, workName).Run(received, work);
}

}  // namespace lumvex::lzw
