// DecodeLzwFile: the decoder between two files, with the output put in
// place only once it is whole.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "core/text_format.h"
#include "lzw/lzw_decoder.h"
#include "core/in_directory.h"
#include "core/file_handle.h"
#include "core/replacement_file.h"

namespace lumvex::lzw {
namespace {

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
  ReplacementFile out(target);
  if (!out.opened()) return {kDecodeOutputFailed, Format("Error opening %s for output\n", output.c_str())};

  FdSource source(in.get());
  FileSink sink(out.fd());
  DecodeResult result = DecodeLzw(source, static_cast<std::uint64_t>(info.st_size), sink, progress);
  if (result.ok()) {
    if (out.Commit()) return result;
    result = {kDecodeFailed, Format("Cannot write file %s", output.c_str())};
  } else if (sink.failed()) {
    result = {kDecodeFailed, Format("Cannot write file %s", output.c_str())};
  } else if (source.failed()) {
    result = {kDecodeFailed, Format("Error reading %s", input.c_str())};
  }
  return result;
}

}  // namespace lumvex::lzw
