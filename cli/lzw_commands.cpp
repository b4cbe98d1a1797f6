#include <cstdio>
#include <string>

#include "cli/arguments.h"
#include "cli/command.h"
#include "core/recording_message_port.h"
#include "lzw/lzw_decoder.h"
#include "lzw/uncompress_received_file.h"

namespace lumvex::cli {
namespace {

void PrintFailure(const std::string& text) {
  std::fputs(text.c_str(), stderr);
  if (text.empty() || text.back() != '\n') std::fputc('\n', stderr);
}

int RunDecode(std::span<char* const> args) {
  if (args.size() != 2) return Usage("decode STREAM OUT");
  const lzw::DecodeResult result = lzw::DecodeLzwFile(args[0], args[1]);
  if (result.ok()) return 0;
  PrintFailure(result.failureText);
  return result.code;
}

int RunUncompress(std::span<char* const> args) {
  if (args.size() != 2) return Usage("uncompress RECEIVED OUT");
  const std::string out = args[1];
  const lzw::UncompressFiles files{args[0], out + ".work", out};
  RecordingMessagePort messages;
  const bool done = lzw::UncompressReceivedFile({}, files, messages).done;
  for (const auto& text : messages.texts()) PrintFailure(text);
  return done ? 0 : 1;
}

constexpr Command kCommands[] = {
    {"decode", "STREAM OUT",
     "Decodes a bare LZW stream into OUT. Exit status: 0 done, 2 STREAM cannot be opened,\n"
     "3 OUT cannot be created, 4 the stream is damaged or ends early; the reason goes to\n"
     "standard error. OUT is replaced only by a whole decode.",
     RunDecode},
    {"uncompress", "RECEIVED OUT",
     "Turns a received file (as downloaded, e.g. abc01/kordex$$.005) into the data file OUT,\n"
     "as a download does: restores the removed bytes into OUT.work, decodes it, removes it.\n"
     "Exit status 0 when done, else 1 with the reason on standard error.",
     RunUncompress},
};

}  // namespace

std::span<const Command> LzwCommands() { return kCommands; }

}  // namespace lumvex::cli
