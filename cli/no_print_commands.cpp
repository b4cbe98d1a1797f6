#include "cli/command.h"

namespace lumvex::cli {

std::span<const Command> PrintCommands() { return {}; }

}  // namespace lumvex::cli
