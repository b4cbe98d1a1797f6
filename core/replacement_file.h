#pragma once

#include <filesystem>
#include <string_view>

#include "core/file_handle.h"

namespace lumvex {

// A new version of `target`, written beside it under "<target>.part" and
// renamed over it only when whole, so that `target` holds either its old or
// its new content at every moment, never a part of one.
//
// Durability, the same for every file the store replaces: the new content
// is flushed to disk (fsync) before the rename, and the directory after it,
// so a replacement that reported success survives a crash or a power loss.
// A version that is never installed is removed when the object goes.
class ReplacementFile {
 public:
  explicit ReplacementFile(std::filesystem::path target);
  ReplacementFile(const ReplacementFile&) = delete;
  ReplacementFile& operator=(const ReplacementFile&) = delete;
  ~ReplacementFile();

  // False when the new version could not be created.
  bool opened() const { return fd_.valid(); }
  int fd() const { return fd_.get(); }
  const std::filesystem::path& target() const { return target_; }
  const std::filesystem::path& partPath() const { return part_; }

  // Appends; a failure is remembered and makes Finish fail.
  bool Write(std::string_view bytes);
  void MarkFailed() { failed_ = true; }
  // Flushes and closes the new version; false when anything written was lost.
  bool Finish();
  // Renames the finished version over the target and flushes the directory.
  bool Install();
  // Finish, then Install.
  bool Commit() { return Finish() && Install(); }
  // Leaves the finished version on disk under its part name (for tests that
  // stop where a crash would).
  void Keep() { keep_ = true; }

 private:
  std::filesystem::path target_;
  std::filesystem::path part_;
  UniqueFd fd_;
  bool failed_ = false;
  bool finished_ = false;
  bool installed_ = false;
  bool keep_ = false;
};

// "<target>.part", where a new version of `target` is written.
std::filesystem::path PartPathOf(const std::filesystem::path& target);

// Flushes the directory that holds `path`, so a rename or removal in it lasts.
void SyncDirectoryOf(const std::filesystem::path& path);

// Renames a finished "<target>.part" over `target` and flushes the directory.
bool InstallPart(const std::filesystem::path& target);

}  // namespace lumvex
