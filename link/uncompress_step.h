#pragma once

#include <string>
#include <string_view>

// Turns the received file kordex$$.NNN of a Service Code into its data file
// kordex.NNN. The window runs it inside its progress dialog; the
// command-line tool calls the decoder directly; tests script it.
namespace lumvex::link {

struct UncompressResult {
  bool ok = false;
  std::string failureText;  // shown to the user when not ok
  bool damaged = false;     // the received file itself is bad: another try of it can't help
};

class UncompressStep {
 public:
  virtual ~UncompressStep() = default;
  // Paths are relative to the store root, which is the working directory.
  virtual UncompressResult Uncompress(std::string_view serviceCode, int dayOfYear) = 0;
};

}  // namespace lumvex::link
