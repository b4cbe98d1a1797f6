#include <chrono>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <thread>

#include "app/device_command.h"
#include "app/download_command.h"
#include "app/host_commands.h"
#include "cli/arguments.h"
#include "cli/command.h"
#include "cli/script_store.h"
#include "core/pacing.h"
#include "link/lzw_uncompress_step.h"
#include "link/padx25_port.h"
#include "store/file_names.h"

namespace lumvex::cli {
namespace {

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

// The Service Code as the dialogs' lists offer it: one of download.log's.
std::string ChosenServiceCode(const app::Workspace& workspace, const std::string& code) {
  return workspace.catalogue().FindServiceCode(code) < 0 ? std::string() : code;
}

struct RetryPlan {
  int retries = 0;
  std::chrono::seconds wait{60};
};

constexpr std::string_view kDownloadOptions[] = {"--code", "--staff", "--date", "--retries", "--retry-wait"};
constexpr const char* kDownloadUsage =
    "download --code CODE --staff ID --date DDMMYYYY [--retries N [--retry-wait SECONDS]] "
    "(password on standard input)";

std::optional<RetryPlan> RetryPlanOf(const Arguments& parsed) {
  RetryPlan plan;
  if (parsed.Has("--retries")) {
    const auto retries = ParseCount(parsed.Get("--retries"));
    if (!retries) return std::nullopt;
    plan.retries = *retries;
  }
  if (parsed.Has("--retry-wait")) {
    const auto wait = ParseCount(parsed.Get("--retry-wait"));
    if (!wait || !parsed.Has("--retries")) return std::nullopt;
    plan.wait = std::chrono::seconds(*wait);
  }
  return plan;
}

// A try may be repeated when nothing was lost by it: the call never came
// up, or the transfer broke off with its partial file kept for the resume.
bool WorthAnotherTry(const app::DownloadAttempt& attempt, const app::Workspace& workspace,
                     const link::DownloadEntries& entries) {
  if (attempt.outcome == link::DownloadOutcome::ConnectFailed) return true;
  if (attempt.outcome != link::DownloadOutcome::Failed) return false;
  std::error_code ec;
  return std::filesystem::exists(
      workspace.PathOf(store::ReceivedFileName(entries.serviceCode, store::DayOfYear(entries.date))), ec);
}

int RunDownload(std::span<char* const> args) {
  const auto parsed = ParseArguments(args, kDownloadOptions, 0);
  if (!parsed || !parsed->Has("--code") || !parsed->Has("--staff") || !parsed->Has("--date")) {
    return Usage(kDownloadUsage);
  }
  const std::optional<RetryPlan> plan = RetryPlanOf(*parsed);
  if (!plan) return Usage(kDownloadUsage);
  const std::optional<std::string> password = ReadPassword("download");
  if (!password) return 2;

  ScriptStore store;
  app::Workspace& workspace = store.workspace();
  if (!app::MayDownload(workspace)) return 1;
  const link::DownloadEntries entries{ChosenServiceCode(workspace, parsed->Get("--code")), parsed->Get("--staff"),
                                      *password, parsed->Get("--date")};

  link::PadX25Library pad;
  SleepingPacer pacer;
  link::LinkControl control(link::LinkCopy::Download, pad, store.messages(), pacer,
                            workspace.PathOf(store::kConfigFile));
  link::LzwUncompressStep uncompress(workspace.storeRoot());
  link::DownloadTransaction download(control, store.messages(), pacer, workspace.clock(), uncompress,
                                     workspace.storeRoot());
  for (int attempt = 0;; ++attempt) {
    const int shownBefore = store.messages().shown();
    const app::DownloadAttempt tried = app::DownloadOnce(workspace, download, entries);
    if (!tried.check.go) {
      ExplainStop(store.messages(), shownBefore, tried.check.focus == link::DownloadField::Date ? "Date" : "Password");
      return 1;
    }
    // Hung up after every try: a dropped line must not be tried again as if it were up.
    control.LinkDisconnect();
    if (tried.outcome == link::DownloadOutcome::Completed) return tried.recorded ? 0 : 1;
    if (attempt >= plan->retries || !WorthAnotherTry(tried, workspace, entries)) return 1;
    std::fprintf(stderr, "lumvexctl download: try %d of %d failed; trying again in %lld s\n", attempt + 1,
                 plan->retries + 1, static_cast<long long>(plan->wait.count()));
    std::this_thread::sleep_for(plan->wait);
  }
}

constexpr std::string_view kPasswdOptions[] = {"--code", "--staff"};

int RunPasswd(std::span<char* const> args) {
  const auto parsed = ParseArguments(args, kPasswdOptions, 0);
  if (!parsed || !parsed->Has("--code") || !parsed->Has("--staff")) {
    return Usage("passwd --code CODE --staff ID (passwords on standard input)");
  }
  link::ChangePasswordEntries entries;
  for (std::string* field : {&entries.password, &entries.newPassword, &entries.renewPassword}) {
    const std::optional<std::string> line = ReadPassword("passwd");
    if (!line) return 2;
    *field = *line;
  }

  ScriptStore store;
  app::Workspace& workspace = store.workspace();
  entries.serviceCode = ChosenServiceCode(workspace, parsed->Get("--code"));
  entries.staffId = parsed->Get("--staff");

  link::PadX25Library pad;
  SleepingPacer pacer;
  link::LinkControl control(link::LinkCopy::ChangePassword, pad, store.messages(), pacer,
                            workspace.PathOf(store::kConfigFile));
  link::ChangePasswordTransaction change(control, store.messages(), pacer, workspace.clock());

  const int shownBefore = store.messages().shown();
  const app::ChangePasswordAttempt tried = app::ChangePasswordOnce(change, entries);
  if (!tried.check.go) {
    using Field = link::ChangePasswordField;
    ExplainStop(store.messages(), shownBefore,
                tried.check.focus == Field::NewPassword     ? "New Password"
                : tried.check.focus == Field::RenewPassword ? "Renew Password"
                                                            : "Password");
    return 1;
  }
  // As the dialog's Disconnect button does.
  store.messages().SetStatus("  Begin DisConnect...");
  control.LinkDisconnect();
  return tried.outcome == link::ChangePasswordOutcome::Completed ? 0 : 1;
}

constexpr std::string_view kDeviceOptions[] = {"--port", "--speed", "--phone"};

void PrintDevice(const link::DeviceChoices& read) {
  const std::string port = link::PortText(read.portDigit);
  const std::string speed = link::SpeedText(read.speedDigit);
  std::printf("Port: %s\nSpeed: %s\nPhone: %s\n", port.empty() ? "none" : port.c_str(),
              speed.empty() ? "none" : speed.c_str(), read.phoneNumber.c_str());
}

// "--port 1-4", "--speed 9600|14400", "--phone NUMBER" over what was read.
std::optional<app::DeviceChoice> ChoiceFrom(const Arguments& parsed, const link::DeviceChoices& read) {
  app::DeviceChoice choice = app::ChoiceOf(read);
  if (parsed.Has("--port")) {
    const auto port = ParseCount(parsed.Get("--port"));
    if (!port || *port < 1 || *port > 4) return std::nullopt;
    choice.port = *port;
  }
  if (parsed.Has("--speed")) {
    const std::string& speed = parsed.Get("--speed");
    if (speed != "9600" && speed != "14400") return std::nullopt;
    choice.speed = speed == "9600" ? 1 : 2;
  }
  if (parsed.Has("--phone")) choice.phoneNumber = parsed.Get("--phone");
  return choice;
}

int RunDevice(std::span<char* const> args) {
  constexpr const char* kUsage = "device [--port 1-4] [--speed 9600|14400] [--phone NUMBER]";
  const auto parsed = ParseArguments(args, kDeviceOptions, 0);
  if (!parsed) return Usage(kUsage);
  ScriptStore store(ScriptStore::Catalogue::Skip);  // config.dat only
  app::Workspace& workspace = store.workspace();
  const std::optional<link::DeviceChoices> read = app::ReadDeviceSettings(workspace);
  if (!read) return 1;
  if (parsed->options.empty()) {
    PrintDevice(*read);
    return 0;
  }
  const std::optional<app::DeviceChoice> choice = ChoiceFrom(*parsed, *read);
  if (!choice) return Usage(kUsage);
  if (app::ApplyDeviceSettings(workspace, *read, *choice) != app::Outcome::Done) return 1;
  app::ShowSetDeviceComplete(workspace);
  return 0;
}

constexpr Command kCommands[] = {
    {"download", "--code CODE --staff ID --date DDMMYYYY [--retries N [--retry-wait SECONDS]]",
     "Dials the host with config.dat, downloads the file of that date for the Service Code into\n"
     "its directory (resuming a broken transfer), uncompresses it and records it in download.log,\n"
     "then hangs up. The password is read from standard input (one line). Status texts and\n"
     "messages go to standard error; exit status 0 once the file is recorded. With --retries, a\n"
     "try whose call failed or whose transfer broke off (its partial file kept) is repeated up to\n"
     "N more times, --retry-wait seconds apart (default 60); each resumes at the last whole block.",
     RunDownload},
    {"passwd", "--code CODE --staff ID",
     "Changes the Staff ID's host password. Standard input holds three lines: the current\n"
     "password, the new one and the new one again. Exit status 0 when the host accepted it.",
     RunPasswd},
    {"device", "[--port 1-4] [--speed 9600|14400] [--phone NUMBER]",
     "Without options prints the port, the modem speed and the telephone number of config.dat.\n"
     "With them rewrites only those columns in place, as Setup, Set Device does.",
     RunDevice},
};

}  // namespace

std::span<const Command> LinkCommands() { return kCommands; }

}  // namespace lumvex::cli
