#include "store/durable_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

namespace lumvex::store {
namespace {

namespace fs = std::filesystem;

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t n = ::write(fd, text.data(), text.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    text.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

ReplaceResult WriteFlushedFile(const fs::path& path, std::string_view text) {
  Fd fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
  if (fd.get() < 0) return ReplaceResult::CreateFailed;
  const bool ok = WriteAll(fd.get(), text) && ::fsync(fd.get()) == 0;
  return fd.Close() && ok ? ReplaceResult::Replaced : ReplaceResult::WriteFailed;
}

bool WriteFlushed(const fs::path& path, std::string_view text) {
  return WriteFlushedFile(path, text) == ReplaceResult::Replaced;
}

void SyncDirectoryOf(const fs::path& path) {
  const fs::path dir = path.has_parent_path() ? path.parent_path() : fs::path(".");
  Fd fd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.get() >= 0) ::fsync(fd.get());
}

bool CopyFlushed(const fs::path& from, const fs::path& to) {
  std::FILE* in = std::fopen(from.c_str(), "rb");
  if (in == nullptr) return false;
  std::string text;
  char chunk[65536];
  std::size_t n = 0;
  while ((n = std::fread(chunk, 1, sizeof chunk, in)) > 0) text.append(chunk, n);
  const bool readOk = std::ferror(in) == 0;
  std::fclose(in);
  return readOk && WriteFlushed(to, text);
}

}  // namespace

fs::path NewVersionPath(const fs::path& target) {
  fs::path path = target;
  path += ".new";
  return path;
}

ReplaceResult WriteNewVersion(const fs::path& target, std::string_view text) {
  const fs::path fresh = NewVersionPath(target);
  const ReplaceResult result = WriteFlushedFile(fresh, text);
  if (result == ReplaceResult::WriteFailed) ::unlink(fresh.c_str());
  return result;
}

void KeepBackup(const fs::path& target, const fs::path& backup) {
  std::error_code ec;
  if (!fs::exists(target, ec)) return;  // the first save has nothing to keep
  fs::path staged = backup;
  staged += ".new";
  ::unlink(staged.c_str());
  // A second name costs nothing; a copy serves file systems without links.
  if (::link(target.c_str(), staged.c_str()) != 0 && !CopyFlushed(target, staged)) return;
  ::rename(staged.c_str(), backup.c_str());
}

bool InstallNewVersion(const fs::path& target) {
  if (::rename(NewVersionPath(target).c_str(), target.c_str()) != 0) return false;
  SyncDirectoryOf(target);
  return true;
}

ReplaceResult ReplaceKeepingBackup(const fs::path& target, const fs::path& backup, std::string_view text) {
  if (const ReplaceResult written = WriteNewVersion(target, text); written != ReplaceResult::Replaced)
    return written;
  KeepBackup(target, backup);
  if (!InstallNewVersion(target)) {
    ::unlink(NewVersionPath(target).c_str());
    return ReplaceResult::CreateFailed;
  }
  return ReplaceResult::Replaced;
}

}  // namespace lumvex::store
