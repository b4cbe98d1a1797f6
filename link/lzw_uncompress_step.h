#pragma once

#include <filesystem>

#include "link/uncompress_step.h"
#include "lzw/progress_hook.h"

namespace lumvex::link {

// The uncompress step by the LZW library, without a progress dialog (the
// command-line tool; the window wraps the same call in its dialog).
class LzwUncompressStep : public UncompressStep {
 public:
  explicit LzwUncompressStep(std::filesystem::path storeRoot = ".") : storeRoot_(std::move(storeRoot)) {}
  UncompressResult Uncompress(std::string_view serviceCode, int dayOfYear) override;
  // The same, telling `progress` the decoder's reading position.
  UncompressResult Uncompress(std::string_view serviceCode, int dayOfYear, const lzw::ProgressHook& progress);

 private:
  std::filesystem::path storeRoot_;
};

}  // namespace lumvex::link
