#include <cstdio>
#include <string>

#include "app/file_commands.h"
#include "app/import_command.h"
#include "app/service_code_commands.h"
#include "cli/arguments.h"
#include "cli/command.h"
#include "cli/script_store.h"
#include "core/text_format.h"
#include "store/catalogue.h"

namespace lumvex::cli {
namespace {

constexpr std::string_view kCodeOption[] = {"--code"};

int ExitStatus(app::Outcome outcome) { return outcome == app::Outcome::Done ? 0 : 1; }

void PrintEntry(const store::FileEntry& f) {
  std::printf("%s,%s,%s,%s,%s,%s\n", f.fileName.c_str(), f.serviceCode.c_str(), f.description.c_str(),
              f.datePrepare.c_str(), f.dateRetrieve.c_str(), f.fileSize.c_str());
}

// Selects what a command names, as clicks would; false after saying what is missing.
bool Select(app::Workspace& workspace, const std::string& code, const std::string& fileName = {}) {
  if (workspace.SelectByName(code, fileName)) return true;
  if (workspace.selection().selectedServiceCode < 0) {
    std::fprintf(stderr, "lumvexctl: download.log has no Service Code '%s'\n", code.c_str());
  } else {
    std::fprintf(stderr, "lumvexctl: Service Code '%s' has no file '%s'\n", code.c_str(), fileName.c_str());
  }
  return false;
}

int RunList(std::span<char* const> args) {
  if (!args.empty()) return Usage("list");
  ScriptStore store;
  const store::Catalogue& catalogue = store.workspace().catalogue();
  for (int i = 0; i < catalogue.serviceCodeCount(); ++i) {
    if (!catalogue.IsLive(i)) continue;
    const auto& code = catalogue.serviceCode(i);
    std::printf("%s\n", Format("Service Code '%s' : %d files", code.name.c_str(), code.fileCount).c_str());
    for (int f : catalogue.FilesOf(i)) PrintEntry(catalogue.file(f));
  }
  return store.messages().shown() == 0 ? 0 : 1;
}

// The dialog types lower case only.
std::string Lower(std::string text) {
  for (char& c : text) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  return text;
}

int RunAddCode(std::span<char* const> args) {
  if (args.size() != 1) return Usage("add-code CODE");
  ScriptStore store;
  return ExitStatus(app::AddServiceCode(store.workspace(), Lower(args[0])));
}

int RunDeleteCode(std::span<char* const> args) {
  if (args.size() != 1) return Usage("delete-code CODE");
  ScriptStore store;
  if (!Select(store.workspace(), args[0])) return 1;
  return ExitStatus(app::DeleteServiceCode(store.workspace(), app::Consent::Given));
}

int RunImport(std::span<char* const> args) {
  const auto parsed = ParseArguments(args, kCodeOption, 1);
  if (!parsed || !parsed->Has("--code")) return Usage("import --code CODE PATH");
  ScriptStore store;
  if (!Select(store.workspace(), parsed->Get("--code"))) return 1;
  const std::filesystem::path chosen = parsed->positionals[0];
  return ExitStatus(app::ImportFile(store.workspace(), [&] { return std::optional(chosen); }));
}

int RunDelete(std::span<char* const> args) {
  const auto parsed = ParseArguments(args, kCodeOption, 1);
  if (!parsed || !parsed->Has("--code")) return Usage("delete --code CODE FILENAME");
  ScriptStore store;
  if (!Select(store.workspace(), parsed->Get("--code"), parsed->positionals[0])) return 1;
  return ExitStatus(app::DeleteFile(store.workspace(), [](const store::FileEntry&) { return true; }));
}

int RunShow(std::span<char* const> args) {
  const auto parsed = ParseArguments(args, kCodeOption, 1);
  if (!parsed || !parsed->Has("--code")) return Usage("show --code CODE FILENAME");
  ScriptStore store;
  if (!Select(store.workspace(), parsed->Get("--code"), parsed->positionals[0])) return 1;
  return ExitStatus(app::ShowProperties(store.workspace(), [](const store::FileEntry& f) {
    std::printf("File Name: %s\nService Code: %s\nDescription: %s\nDate Prepare: %s\nDate Retrieve: %s\nFile Size: %s\n",
                f.fileName.c_str(), f.serviceCode.c_str(), f.description.c_str(), f.datePrepare.c_str(),
                f.dateRetrieve.c_str(), f.fileSize.c_str());
  }));
}

constexpr Command kCommands[] = {
    {"list", "",
     "Reads download.log in the store root (the working directory) as the window does and prints\n"
     "each Service Code with its file count, then its files as download.log lines.\n"
     "Messages go to standard error; exit status 1 when there were any.",
     RunList},
    {"add-code", "CODE",
     "Adds a Service Code (taken in lower case) as File, Add Service does: its directory, then\n"
     "its entry in download.log.",
     RunAddCode},
    {"delete-code", "CODE",
     "Deletes a Service Code that holds no files, as File, Delete Service does (the command is\n"
     "the consent: no question). Its directory goes only when empty.",
     RunDeleteCode},
    {"import", "--code CODE PATH",
     "Takes a data file from outside into the Service Code, as File, Import does: under its own\n"
     "name in lower case, its header checked against the Service Code.",
     RunImport},
    {"delete", "--code CODE FILENAME",
     "Deletes a stored file and its received file and removes its entry, as File, Delete does.",
     RunDelete},
    {"show", "--code CODE FILENAME", "Prints the six fields of a file's entry, as File, Properties shows them.",
     RunShow},
};

}  // namespace

std::span<const Command> StoreCommands() { return kCommands; }

}  // namespace lumvex::cli
