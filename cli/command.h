#pragma once

#include <span>
#include <string_view>

namespace lumvex::cli {

// One subcommand of lumvexctl. `run` gets the arguments after the command's
// name and returns the process's exit status.
struct Command {
  std::string_view name;
  std::string_view usage;    // arguments, for --help
  std::string_view summary;  // one or more lines for --help
  int (*run)(std::span<char* const> args);
};

// Each area of the program contributes its commands.
std::span<const Command> StoreCommands();
std::span<const Command> LzwCommands();
std::span<const Command> LinkCommands();
std::span<const Command> ReportCommands();
// Empty when the program is built without Qt.
std::span<const Command> PrintCommands();

}  // namespace lumvex::cli
