// DecodeLzwFile: the decoder between two files, with the output put in
// place only once it is whole.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "core/text_format.h"
#include "lzw/lzw_decoder.h"
#include "lzw/unique_fd.h"

namespace lumvex::lzw {
namespace {

std::filesystem::path InDirectory(const std::filesystem::path& directory, const std::filesystem::path& path) {
  return directory.empty() ? path : directory / path;
}

std::filesystem::path PartialPath(const std::filesystem::path& output) {
  std::filesystem::path partial = output;
  partial += ".part";
  return partial;
}

// The sink also remembers that a write failed, so the text can name the file.
class FileSink : public FdSink {
 public:
  using FdSink::FdSink;
  bool Write(const unsigned char* data, std::size_t size) override {
    const bool written = FdSink::Write(data, size);
    failed_ = failed_ || !written;
    return written;
  }
  bool failed() const { return failed_; }

 private:
  bool failed_ = false;
};

}  // namespace

DecodeResult DecodeLzwFile(const std::filesystem::path& input, const std::filesystem::path& output,
                           const ProgressHook& progress, const std::filesystem::path& directory) {
  UniqueFd in(::open(InDirectory(directory, input).c_str(), O_RDONLY | O_CLOEXEC));
  struct stat info {};
  if (!in.valid() || ::fstat(in.get(), &info) != 0 || S_ISDIR(info.st_mode)) {
    return {kDecodeInputFailed, Format("Error opening %s for input\n", input.c_str())};
  }

  const std::filesystem::path target = InDirectory(directory, output);
  const std::filesystem::path partial = PartialPath(target);
  UniqueFd out(::open(partial.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
  if (!out.valid()) return {kDecodeOutputFailed, Format("Error opening %s for output\n", output.c_str())};

  FdSource source(in.get());
  FileSink sink(out.get());
  DecodeResult result = DecodeLzw(source, static_cast<std::uint64_t>(info.st_size), sink, progress);
  if (result.ok()) {
    // The rename makes the replacement atomic. No sync: the received file
    // stays on disk, so a crash costs at most a second uncompress.
    if (out.Close() && std::rename(partial.c_str(), target.c_str()) == 0) return result;
    result = {kDecodeFailed, Format("Cannot write file %s", output.c_str())};
  } else if (sink.failed()) {
    result.failureText = Format("Cannot write file %s", output.c_str());
  } else if (source.failed()) {
    result.failureText = Format("Error reading %s", input.c_str());
  }
  out.Close();
  ::unlink(partial.c_str());
  return result;
}

}  // namespace lumvex::lzw
