// lumvexctl: the store, the link and the reports without the window, for
// scripts and unattended use.
#include <cstdio>
#include <cstring>
#include <string_view>
#include <vector>

#include "cli/command.h"

namespace {

using lumvex::cli::Command;

std::vector<Command> AllCommands() {
  std::vector<Command> all;
  for (auto group : {lumvex::cli::StoreCommands(), lumvex::cli::LzwCommands(), lumvex::cli::ReportCommands(),
                     lumvex::cli::PrintCommands(), lumvex::cli::LinkCommands()}) {
    all.insert(all.end(), group.begin(), group.end());
  }
  return all;
}

void PrintHelp(const std::vector<Command>& commands) {
  std::printf(
      "Usage: lumvexctl COMMAND [ARGUMENTS]\n"
      "Works on the store in the working directory, as the window does.\n\nCommands:\n");
  for (const auto& c : commands) {
    std::printf("  lumvexctl %.*s%s%.*s\n", static_cast<int>(c.name.size()), c.name.data(),
                c.usage.empty() ? "" : " ", static_cast<int>(c.usage.size()), c.usage.data());
    std::string_view summary = c.summary;
    while (!summary.empty()) {
      const auto end = summary.find('\n');
      const auto line = summary.substr(0, end);
      std::printf("      %.*s\n", static_cast<int>(line.size()), line.data());
      summary.remove_prefix(end == std::string_view::npos ? summary.size() : end + 1);
    }
  }
  std::printf("  lumvexctl --help\n      Shows this text.\n  lumvexctl --version\n      Prints the version.\n");
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<Command> commands = AllCommands();
  if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
    PrintHelp(commands);
    return argc < 2 ? 2 : 0;
  }
  if (std::strcmp(argv[1], "--version") == 0) {
    std::printf("lumvexctl %s\n", LUMVEX_VERSION);
    return 0;
  }
  for (const auto& c : commands) {
    if (c.name == argv[1]) return c.run(std::span<char* const>(argv + 2, static_cast<std::size_t>(argc - 2)));
  }
  std::fprintf(stderr, "lumvexctl: unknown command '%s'; see lumvexctl --help\n", argv[1]);
  return 2;
}
