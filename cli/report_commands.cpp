#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "cli/arguments.h"
#include "cli/command.h"
#include "cli/stderr_message_port.h"
#include "core/clock.h"
#include "report/fixed_record_copy.h"
#include "report/report_generator.h"

namespace lumvex::cli {
namespace {

int RunReport(std::span<char* const> args) {
  const char* dataFile = nullptr;
  std::filesystem::path directory = ".";
  bool viewMode = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (std::strcmp(args[i], "--view") == 0) {
      viewMode = true;
    } else if (std::strcmp(args[i], "--dir") == 0 && i + 1 < args.size()) {
      directory = args[++i];
    } else if (args[i][0] != '-' && dataFile == nullptr) {
      dataFile = args[i];
    } else {
      return Usage("report DATAFILE [--view] [--dir DIR]");
    }
  }
  if (dataFile == nullptr) return Usage("report DATAFILE [--view] [--dir DIR]");
  StderrMessagePort messages;
  report::SetLastPageNumber(0);
  if (!report::GenerateReport(dataFile, directory, viewMode, messages, SystemClock::Instance())) return 1;
  std::printf("%d\n", report::LastPageNumber());
  return messages.shown() == 0 ? 0 : 1;
}

int RunCopy(std::span<char* const> args) {
  if (args.size() != 2) return Usage("copy DATAFILE DEST");
  StderrMessagePort messages;
  return report::CopyFixedRecords(args[0], args[1], messages) ? 0 : 1;
}

constexpr Command kCommands[] = {
    {"report", "DATAFILE [--view] [--dir DIR]",
     "Writes the BILL PAYMENT BY COMPANY REPORT of a data file as the Print command does:\n"
     "prnrep.txt in 60-line pages, and with --view also report.txt, into DIR (default: the\n"
     "working directory). Prints the last page number (0 when no page was headed).",
     RunReport},
    {"copy", "DATAFILE DEST",
     "Writes a data file to DEST as fixed records, as the Copy command does: characters 19 to\n"
     "274 of each line, space-filled to 256, then CR LF. An existing DEST is overwritten.",
     RunCopy},
};

}  // namespace

std::span<const Command> ReportCommands() { return kCommands; }

}  // namespace lumvex::cli
