#include "cli/stderr_message_port.h"

#include <cstdio>

namespace lumvex::cli {
namespace {

void PrintLine(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fputc('\n', stderr);
}

}  // namespace

void StderrMessagePort::Show(MessageStyle style, std::string_view text) {
  if (style != MessageStyle::Done) ++shown_;
  PrintLine(text);
}

bool StderrMessagePort::Confirm(std::string_view text) {
  PrintLine(text);
  return true;
}

void StderrMessagePort::SetStatus(std::string_view text) { PrintLine(text); }

}  // namespace lumvex::cli
