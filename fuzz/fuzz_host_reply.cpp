// Host replies are outside input. Each is classified without reading past
// what arrived; a whole transfer fed with arbitrary replies (split at ETX)
// ends cleanly and never keeps a file whose size the host did not state.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/clock.h"
#include "core/pacing.h"
#include "core/recording_message_port.h"
#include "link/download_transaction.h"
#include "link/host_messages.h"
#include "link/testing/scripted_pad.h"

namespace {

using namespace lumvex;
using namespace lumvex::link;

class NoUncompress : public UncompressStep {
 public:
  UncompressResult Uncompress(std::string_view, int) override { return {false, "no decoder here"}; }
};

const std::filesystem::path& ScratchRoot() {
  static const std::filesystem::path root = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "fuzz-reply-XXXXXX").string();
    std::filesystem::path dir = ::mkdtemp(pattern.data());
    std::filesystem::create_directory(dir / "abc01");
    return dir;
  }();
  return root;
}

void CheckClassification(std::string_view reply) {
  const DownloadReply d = ClassifyDownloadReply(reply);
  if (d.kind == DownloadReply::Kind::DataBlock) {
    if (d.data.size() > kMaxBlockLength) std::abort();
    if (d.data.data() < reply.data() || d.data.data() + d.data.size() > reply.data() + reply.size()) std::abort();
    if (d.nextBlockNumber.size() != 5) std::abort();
  }
  if (d.kind == DownloadReply::Kind::End && d.sizeText.size() > 10) std::abort();
  ClassifyChangePasswordReply(reply);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  testing::ScriptedPad pad;
  for (std::size_t start = 0; start <= input.size();) {
    const std::size_t end = std::min(input.find('\x03', start), input.size());
    const std::string_view reply = input.substr(start, end - start);
    CheckClassification(reply);
    pad.QueueReply(std::string(reply));
    start = end + 1;
  }

  const std::filesystem::path& root = ScratchRoot();
  std::filesystem::remove(root / "abc01" / "kordex$$.005");
  RecordingMessagePort messages;
  RecordingPacer pacer;
  LinkState state{1};
  FixedClock clock(LocalTime{2001, 6, 15, 10, 20, 30});
  LinkControl control(LinkCopy::Download, pad, messages, pacer, root / "config.dat", state);
  NoUncompress uncompress;
  DownloadTransaction download(control, messages, pacer, clock, uncompress, root);
  if (download.Transfer({"abc01", "123456", "654321", "05012001"}) != 0) std::abort();
  if (messages.messages().size() != 1) std::abort();
  // Only a size check that passed reaches the uncompress step.
  if (messages.texts()[0] == "no decoder here") {
    const std::string& stated = download.fileSizeText();
    std::size_t i = stated.find_first_not_of(' ');
    std::uintmax_t expected = 0;
    for (; i < stated.size() && stated[i] >= '0' && stated[i] <= '9'; ++i)
      expected = expected * 10 + static_cast<unsigned>(stated[i] - '0');
    if (std::filesystem::file_size(root / "abc01" / "kordex$$.005") != expected) std::abort();
  }
  return 0;
}
