#pragma once

#include <filesystem>
#include <string_view>

namespace lumvex::store {

enum class ReplaceResult { Replaced, CreateFailed, WriteFailed };

// Replaces `target` with `text` while keeping its previous content under
// `backup`. Each step is atomic on disk, so after a crash at any point
// `target` holds either the previous or the new text in full:
//   1. the text goes to "<target>.part" and is flushed to disk;
//   2. `backup` becomes a second name of the current `target` (or a copy of it);
//   3. "<target>.part" is renamed over `target` (core/replacement_file.h).
// The backup is kept up to date on a best-effort basis; the target never is.
ReplaceResult ReplaceKeepingBackup(const std::filesystem::path& target, const std::filesystem::path& backup,
                                   std::string_view text);

// The steps on their own, so that tests can stop between them as a crash would.
ReplaceResult WriteNewVersion(const std::filesystem::path& target, std::string_view text);
void KeepBackup(const std::filesystem::path& target, const std::filesystem::path& backup);
bool InstallNewVersion(const std::filesystem::path& target);

std::filesystem::path NewVersionPath(const std::filesystem::path& target);

}  // namespace lumvex::store
