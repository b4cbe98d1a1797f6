#include "core/replacement_file.h"

#include <fcntl.h>

#include <cerrno>
#include <cstdio>

namespace lumvex {

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

std::filesystem::path PartPathOf(const std::filesystem::path& target) {
  std::filesystem::path part = target;
  part += ".part";
  return part;
}

void SyncDirectoryOf(const std::filesystem::path& path) {
  const std::filesystem::path dir = path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
  UniqueFd fd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.valid()) ::fsync(fd.get());
}

bool InstallPart(const std::filesystem::path& target) {
  if (std::rename(PartPathOf(target).c_str(), target.c_str()) != 0) return false;
  SyncDirectoryOf(target);
  return true;
}

ReplacementFile::ReplacementFile(std::filesystem::path target)
    : target_(std::move(target)),
      part_(PartPathOf(target_)),
      fd_(::open(part_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644)) {}

ReplacementFile::~ReplacementFile() {
  fd_.Close();
  if (!installed_ && !keep_) ::unlink(part_.c_str());
}

bool ReplacementFile::Write(std::string_view bytes) {
  if (failed_ || !fd_.valid() || !WriteAll(fd_.get(), bytes)) failed_ = true;
  return !failed_;
}

bool ReplacementFile::Finish() {
  if (finished_) return !failed_;
  finished_ = true;
  if (!fd_.valid()) return false;
  if (::fsync(fd_.get()) != 0) failed_ = true;
  if (!fd_.Close()) failed_ = true;
  return !failed_;
}

bool ReplacementFile::Install() {
  if (!finished_ || failed_ || installed_) return installed_;
  installed_ = InstallPart(target_);
  return installed_;
}

}  // namespace lumvex
