#include <stdlib.h>

#include <QGuiApplication>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "cli/arguments.h"
#include "cli/command.h"
#include "cli/stderr_message_port.h"
#include "core/clock.h"
#include "print/report_pdf.h"
#include "print/report_printer.h"
#include "report/csv_export.h"
#include "report/report_generator.h"

namespace lumvex::cli {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kPrintOptions[] = {"--pdf", "--printer", "--file-name", "--paper"};
constexpr const char *kPrintUsage =
    "print DATAFILE (--pdf OUT.pdf | --printer NAME) [--file-name NAME] "
    "[--paper A4|Letter]";

// prnrep.txt of a run, in a directory of its own that goes with the object.
class ScratchDirectory {
 public:
  ScratchDirectory() {
    std::string pattern = (fs::temp_directory_path() / "lumvexctl-print-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~ScratchDirectory() {
    std::error_code ignored;
    if (!path_.empty()) fs::remove_all(path_, ignored);
  }
  const fs::path &path() const { return path_; }

 private:
  fs::path path_;
};

int RunPrint(std::span<char *const> args) {
  const auto parsed = ParseArguments(args, kPrintOptions, 1);
  if (!parsed || parsed->Has("--pdf") == parsed->Has("--printer")) return Usage(kPrintUsage);
  const std::string paper = parsed->Has("--paper") ? parsed->Get("--paper") : "A4";
  if (paper != "A4" && paper != "Letter") return Usage(kPrintUsage);
  const fs::path dataFile = parsed->positionals[0];
  const std::string fileName = parsed->Has("--file-name") ? parsed->Get("--file-name") : dataFile.filename().string();

  // Drawing needs fonts, not a screen.
  if (std::getenv("DISPLAY") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 0);
  int argc = 1;
  char name[] = "lumvexctl";
  char *argv[] = {name, nullptr};
  QGuiApplication app(argc, argv);

  StderrMessagePort messages;
  ScratchDirectory scratch;
  if (scratch.path().empty()) {
    std::fprintf(stderr, "lumvexctl print: cannot make a scratch directory\n");
    return 1;
  }
  report::SetLastPageNumber(0);
  if (!report::GenerateReport(dataFile, scratch.path(), false, messages, SystemClock::Instance())) return 1;

  QPrinter printer(QPrinter::HighResolution);
  print::PrepareReportPrinter(printer);
  printer.setPageSize(QPageSize(paper == "A4" ? QPageSize::A4 : QPageSize::Letter));
  if (parsed->Has("--pdf")) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromLocal8Bit(parsed->Get("--pdf").c_str()));
  } else {
    printer.setPrinterName(QString::fromLocal8Bit(parsed->Get("--printer").c_str()));
    if (!printer.isValid()) {
      std::fprintf(stderr, "lumvexctl print: no printer '%s'\n", parsed->Get("--printer").c_str());
      return 1;
    }
  }
  printer.setDocName(QString::fromLocal8Bit(fileName.c_str()));
  const int lastPage = report::LastPageNumber();
  if (parsed->Has("--pdf")) {
    if (!print::WriteReportPdf(printer, parsed->Get("--pdf"), scratch.path() / "prnrep.txt", lastPage, fileName,
                               messages)) {
      return 1;
    }
  } else if (!print::PrintReport(printer, scratch.path() / "prnrep.txt", lastPage, fileName, messages)) {
    std::fprintf(stderr, "lumvexctl print: the printer could not be started\n");
    return 1;
  }
  std::printf("%d\n", lastPage);
  return messages.shown() == 0 ? 0 : 1;
}

constexpr std::string_view kExportOptions[] = {"--csv"};

int RunExport(std::span<char *const> args) {
  const auto parsed = ParseArguments(args, kExportOptions, 1);
  if (!parsed || !parsed->Has("--csv")) return Usage("export DATAFILE --csv OUT.csv");
  StderrMessagePort messages;
  return report::ExportPaymentsCsv(parsed->positionals[0], parsed->Get("--csv"), messages) ? 0 : 1;
}

constexpr Command kCommands[] = {
    {"print",
     "DATAFILE (--pdf OUT.pdf | --printer NAME) [--file-name NAME] [--paper "
     "A4|Letter]",
     "Prints the BILL PAYMENT BY COMPANY REPORT of a data file as the window "
     "prints it, into a PDF\n"
     "file or to a CUPS printer; the footer names NAME (default: the data "
     "file's name). Needs no\n"
     "display. Prints the number of pages.",
     RunPrint},
    {"export", "DATAFILE --csv OUT.csv",
     "Writes one CSV row per payment item (company code, payment date and "
     "time, customer number,\n"
     "customer name in UTF-8, reference, branch, channel, cheque, amount in "
     "baht, bank code).",
     RunExport},
};

}  // namespace

std::span<const Command> PrintCommands() { return kCommands; }

}  // namespace lumvex::cli
