#pragma once

#include <filesystem>

namespace lumvex {

// `path` taken relative to `directory`, or as it stands when that is empty.
inline std::filesystem::path InDirectory(const std::filesystem::path& directory, const std::filesystem::path& path) {
  return directory.empty() ? path : directory / path;
}

}  // namespace lumvex
