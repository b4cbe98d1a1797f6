#include <cstdio>

#include "cli/command.h"
#include "cli/stderr_message_port.h"
#include "core/clock.h"
#include "core/text_format.h"
#include "store/catalogue.h"

namespace lumvex::cli {
namespace {

void PrintEntry(const store::FileEntry& f) {
  std::printf("%s,%s,%s,%s,%s,%s\n", f.fileName.c_str(), f.serviceCode.c_str(), f.description.c_str(),
              f.datePrepare.c_str(), f.dateRetrieve.c_str(), f.fileSize.c_str());
}

int RunList(std::span<char* const> args) {
  if (!args.empty()) {
    std::fprintf(stderr, "lumvexctl list takes no arguments\n");
    return 2;
  }
  StderrMessagePort messages;
  store::Catalogue catalogue(messages, SystemClock::Instance());
  catalogue.LoadCatalogue();
  for (int i = 0; i < catalogue.serviceCodeCount(); ++i) {
    if (!catalogue.IsLive(i)) continue;
    const auto& code = catalogue.serviceCode(i);
    std::printf("%s\n", Format("Service Code '%s' : %d files", code.name.c_str(), code.fileCount).c_str());
    for (int f : catalogue.FilesOf(i)) PrintEntry(catalogue.file(f));
  }
  return messages.shown() == 0 ? 0 : 1;
}

constexpr Command kCommands[] = {
    {"list", "",
     "Reads download.log in the store root (the working directory) as the window does and prints\n"
     "each Service Code with its file count, then its files as download.log lines.\n"
     "Messages go to standard error; exit status 1 when there were any.",
     RunList},
};

}  // namespace

std::span<const Command> StoreCommands() { return kCommands; }

}  // namespace lumvex::cli
