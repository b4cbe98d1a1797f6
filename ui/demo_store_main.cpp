// lumvex_demo_store DIR: prepares a store for trying the window: two Service
// Codes and a few generated bill-payment files taken in by the import code,
// exactly as File, Import would.
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "app/import_command.h"
#include "app/service_code_commands.h"
#include "app/workspace.h"
#include "core/clock.h"
#include "core/recording_message_port.h"
#include "core/text_format.h"
#include "report/testing/data_file_generator.h"
#include "store/calendar.h"

namespace fs = std::filesystem;
using namespace lumvex;

namespace {

struct DemoFile {
  const char* serviceCode;
  const char* billDate;  // DDMMYYYY
  int companies;
  int items;
};

constexpr DemoFile kFiles[] = {
    {"abc01", "05012000", 2, 12}, {"abc01", "31121999", 1, 9}, {"abc01", "10022000", 3, 20},
    {"abc01", "09012000", 1, 4},  {"xyz02", "05012000", 1, 15}, {"xyz02", "01032000", 2, 30},
};

int Fail(const RecordingMessagePort& messages) {
  for (const auto& m : messages.messages()) std::fprintf(stderr, "lumvex_demo_store: %s\n", m.text.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: lumvex_demo_store DIR\n");
    return 2;
  }
  const fs::path store = fs::absolute(argv[1]);
  const fs::path incoming = store.parent_path() / (store.filename().string() + "-incoming");
  std::error_code error;
  fs::remove_all(store, error);
  fs::remove_all(incoming, error);
  fs::create_directories(store, error);
  fs::create_directories(incoming, error);
  if (error) {
    std::fprintf(stderr, "lumvex_demo_store: cannot make %s: %s\n", store.c_str(), error.message().c_str());
    return 1;
  }

  RecordingMessagePort messages;
  app::Workspace workspace(store, messages, SystemClock::Instance());
  for (const char* code : {"abc01", "xyz02"}) {
    if (app::AddServiceCode(workspace, code) != app::Outcome::Done) return Fail(messages);
  }

  int seed = 1;
  for (const DemoFile& f : kFiles) {
    report::testing::DataFileOptions options;
    options.serviceCode = f.serviceCode;
    options.billDate = f.billDate;
    options.companies = f.companies;
    options.itemsPerCompany = f.items;
    options.seed = static_cast<std::uint64_t>(seed++);
    const int day = store::DayOfYear(f.billDate);
    // Upper case, as files arrive from outside; the import stores them in lower case.
    const fs::path source = incoming / Format("KORDEX.%03d", day);
    if (!report::testing::WriteDataFile(source, options)) {
      std::fprintf(stderr, "lumvex_demo_store: cannot write %s\n", source.c_str());
      return 1;
    }
    workspace.SelectByName(f.serviceCode);
    if (app::ImportFile(workspace, [&] { return std::optional<fs::path>(source); }) != app::Outcome::Done)
      return Fail(messages);
  }
  fs::remove_all(incoming, error);
  std::printf("%s\n", store.c_str());
  return 0;
}
