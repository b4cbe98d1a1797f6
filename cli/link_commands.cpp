#include <cstdio>
#include <iostream>
#include <optional>
#include <string>

#include "cli/command.h"
#include "cli/stderr_message_port.h"
#include "core/clock.h"
#include "core/pacing.h"
#include "core/text_format.h"
#include "link/change_password_transaction.h"
#include "link/download_transaction.h"
#include "link/lzw_uncompress_step.h"
#include "link/padx25_port.h"
#include "store/catalogue.h"
#include "store/file_names.h"

namespace lumvex::cli {
namespace {

struct Options {
  std::string code;
  std::string staff;
  std::string date;
};

// "--code CODE --staff ID [--date DDMMYYYY]", each once, in any order.
std::optional<Options> ParseOptions(std::span<char* const> args, bool wantDate, const char* command) {
  Options o;
  int seen = 0;
  bool ok = args.size() == (wantDate ? 6u : 4u);
  for (std::size_t i = 0; ok && i + 1 < args.size(); i += 2) {
    const std::string_view name = args[i];
    std::string* target = name == "--code"               ? &o.code
                          : name == "--staff"            ? &o.staff
                          : name == "--date" && wantDate ? &o.date
                                                         : nullptr;
    ok = target != nullptr && target->empty();
    if (ok) *target = args[i + 1], ++seen;
  }
  if (!ok || seen != (wantDate ? 3 : 2)) {
    std::fprintf(stderr, "Usage: lumvexctl %s --code CODE --staff ID%s (passwords on standard input)\n", command,
                 wantDate ? " --date DDMMYYYY" : "");
    return std::nullopt;
  }
  return o;
}

// Passwords come one a line on standard input, never from the arguments.
std::optional<std::string> ReadPassword(const char* command) {
  std::string line;
  if (!std::getline(std::cin, line)) {
    std::fprintf(stderr, "lumvexctl %s: a password line is missing on standard input\n", command);
    return std::nullopt;
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

// The window moves the focus without a word on a first empty field; here
// the user must be told.
void ExplainStop(const StderrMessagePort& messages, int shownBefore, std::string_view field) {
  if (messages.shown() == shownBefore) std::fprintf(stderr, "Please Check your %.*s.\n", static_cast<int>(field.size()), field.data());
}

int RunDownload(std::span<char* const> args) {
  const std::optional<Options> options = ParseOptions(args, true, "download");
  if (!options) return 2;
  const std::optional<std::string> password = ReadPassword("download");
  if (!password) return 2;

  StderrMessagePort messages;
  const Clock& clock = SystemClock::Instance();
  store::Catalogue catalogue(messages, clock);
  catalogue.LoadCatalogue();
  if (catalogue.fileCount() >= store::MAX_FILES) {
    messages.Show(MessageStyle::Failure, Format("Number of houses must be between 1 and %d", store::MAX_FILES));
    return 1;
  }
  const int codeIndex = catalogue.FindServiceCode(options->code);
  link::DownloadEntries entries{codeIndex < 0 ? std::string() : options->code, options->staff, *password,
                                options->date};

  link::PadX25Library pad;
  SleepingPacer pacer;
  link::LinkControl control(link::LinkCopy::Download, pad, messages, pacer);
  link::LzwUncompressStep uncompress;
  link::DownloadTransaction download(control, messages, pacer, clock, uncompress);

  const int shownBefore = messages.shown();
  const link::DownloadCheck check = download.Validate(entries);
  if (!check.go) {
    ExplainStop(messages, shownBefore, check.focus == link::DownloadField::Date ? "Date" : "Password");
    return 1;
  }
  const link::DownloadOutcome outcome = download.Start(entries);
  bool recorded = false;
  if (outcome == link::DownloadOutcome::Completed) {
    const std::string fileName = store::DataFileEntryName(store::DayOfYear(download.dateText()));
    recorded = catalogue.RecordFile(codeIndex, fileName, download.dateText(), download.fileSizeText());
  }
  control.LinkDisconnect();
  return recorded ? 0 : 1;
}

int RunPasswd(std::span<char* const> args) {
  const std::optional<Options> options = ParseOptions(args, false, "passwd");
  if (!options) return 2;
  link::ChangePasswordEntries entries;
  for (std::string* field : {&entries.password, &entries.newPassword, &entries.renewPassword}) {
    const std::optional<std::string> line = ReadPassword("passwd");
    if (!line) return 2;
    *field = *line;
  }

  StderrMessagePort messages;
  const Clock& clock = SystemClock::Instance();
  store::Catalogue catalogue(messages, clock);
  catalogue.LoadCatalogue();
  entries.serviceCode = catalogue.FindServiceCode(options->code) < 0 ? std::string() : options->code;
  entries.staffId = options->staff;

  link::PadX25Library pad;
  SleepingPacer pacer;
  link::LinkControl control(link::LinkCopy::ChangePassword, pad, messages, pacer);
  link::ChangePasswordTransaction change(control, messages, pacer, clock);

  const int shownBefore = messages.shown();
  const link::ChangePasswordCheck check = change.Validate(entries);
  if (!check.go) {
    using Field = link::ChangePasswordField;
    ExplainStop(messages, shownBefore,
                check.focus == Field::NewPassword     ? "New Password"
                : check.focus == Field::RenewPassword ? "Renew Password"
                                                      : "Password");
    return 1;
  }
  const link::ChangePasswordOutcome outcome = change.Start(entries, false);
  // As the dialog's Disconnect button does.
  messages.SetStatus("  Begin DisConnect...");
  control.LinkDisconnect();
  return outcome == link::ChangePasswordOutcome::Completed ? 0 : 1;
}

constexpr Command kCommands[] = {
    {"download", "--code CODE --staff ID --date DDMMYYYY",
     "Dials the host with config.dat, downloads the file of that date for the Service Code into\n"
     "its directory (resuming a broken transfer), uncompresses it and records it in download.log,\n"
     "then hangs up. The password is read from standard input (one line). Status texts and\n"
     "messages go to standard error; exit status 0 once the file is recorded.",
     RunDownload},
    {"passwd", "--code CODE --staff ID",
     "Changes the Staff ID's host password. Standard input holds three lines: the current\n"
     "password, the new one and the new one again. Exit status 0 when the host accepted it.",
     RunPasswd},
};

}  // namespace

std::span<const Command> LinkCommands() { return kCommands; }

}  // namespace lumvex::cli
