#include "store/durable_file.h"

#include <unistd.h>

#include <cstdio>
#include <string>

#include "core/file_handle.h"
#include "core/replacement_file.h"

namespace lumvex::store {
namespace {

namespace fs = std::filesystem;

ReplaceResult WriteVersion(ReplacementFile& file, std::string_view text) {
  if (!file.opened()) return ReplaceResult::CreateFailed;
  file.Write(text);
  return file.Finish() ? ReplaceResult::Replaced : ReplaceResult::WriteFailed;
}

bool CopyInto(const fs::path& from, ReplacementFile& to) {
  CFile in = OpenFile(from, "rb");
  if (!in || !to.opened()) return false;
  char chunk[65536];
  std::size_t n = 0;
  while ((n = std::fread(chunk, 1, sizeof chunk, in.get())) > 0) to.Write(std::string_view(chunk, n));
  if (std::ferror(in.get()) != 0) to.MarkFailed();
  return to.Commit();
}

}  // namespace

fs::path NewVersionPath(const fs::path& target) { return PartPathOf(target); }

ReplaceResult WriteNewVersion(const fs::path& target, std::string_view text) {
  ReplacementFile file(target);
  const ReplaceResult result = WriteVersion(file, text);
  if (result == ReplaceResult::Replaced) file.Keep();
  return result;
}

void KeepBackup(const fs::path& target, const fs::path& backup) {
  std::error_code ec;
  if (!fs::exists(target, ec)) return;  // the first save has nothing to keep
  const fs::path staged = PartPathOf(backup);
  ::unlink(staged.c_str());
  // A second name costs nothing; a copy serves file systems without links.
  if (::link(target.c_str(), staged.c_str()) == 0) {
    ::rename(staged.c_str(), backup.c_str());
    return;
  }
  ReplacementFile copy(backup);
  CopyInto(target, copy);
}

bool InstallNewVersion(const fs::path& target) { return InstallPart(target); }

ReplaceResult ReplaceKeepingBackup(const fs::path& target, const fs::path& backup, std::string_view text) {
  ReplacementFile file(target);
  if (const ReplaceResult written = WriteVersion(file, text); written != ReplaceResult::Replaced) return written;
  KeepBackup(target, backup);
  return file.Install() ? ReplaceResult::Replaced : ReplaceResult::CreateFailed;
}

}  // namespace lumvex::store
