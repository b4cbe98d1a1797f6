#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/workspace.h"
#include "core/clock.h"
#include "core/recording_message_port.h"
#include "core/testing/temp_dir.h"
#include "core/text_format.h"
#include "store/catalogue_observer.h"

namespace lumvex::app::testing {

using lumvex::testing::ReadFile;
using lumvex::testing::WriteFile;
using Strings = std::vector<std::string>;

// What the explorer view would be told, one line a call, and the selection
// it would keep: a shown Service Code becomes the selected one.
class RecordingView : public store::CatalogueObserver {
 public:
  explicit RecordingView(Workspace& workspace) : workspace_(workspace) {}
  void ServiceCodeAdded(int i) override { events.push_back(Format("node %d", i)); }
  void ServiceCodeRemoved(int i) override { events.push_back(Format("unnode %d", i)); }
  void ServiceCodeShown(int i) override {
    events.push_back(Format("show %d", i));
    workspace_.selection().selectedServiceCode = i;
    workspace_.selection().currentServiceCode = workspace_.catalogue().serviceCode(i).name;
  }
  void FileRowAdded(int i, int row, int file) override { events.push_back(Format("add %d row %d file %d", i, row, file)); }
  void FileRowRemoved(int i, int row) override { events.push_back(Format("remove %d row %d", i, row)); }
  void StatusChanged(int i) override { events.push_back(Format("status %d", i)); }
  Strings events;

 private:
  Workspace& workspace_;
};

// A store root with a workspace on it, a fixed "today" (6 January 2001) and
// the view's events recorded. The root is the working directory meanwhile,
// as at the program's start.
class AppTest : public ::testing::Test {
 protected:
  AppTest() {
    std::filesystem::current_path(root.path());
    workspace.catalogue().SetObserver(&view);
  }
  ~AppTest() override { std::filesystem::current_path(StartDirectory()); }

  static const std::filesystem::path& StartDirectory() {
    static const std::filesystem::path start = std::filesystem::current_path();
    return start;
  }

  // download.log with these Service Codes (each with its directory) and
  // entries ("code/name"), then loaded as at start.
  void Store(const Strings& codes, const Strings& files) {
    std::string text = Format("%zu\r\n", codes.size());
    for (const auto& c : codes) {
      text += c + "\r\n";
      std::filesystem::create_directories(root / c);
    }
    text += Format("%zu\r\n", files.size());
    for (const auto& f : files) {
      const auto slash = f.find('/');
      text += f.substr(slash + 1) + "," + f.substr(0, slash) + ",Download Bill Payment,05/01/2000,06/01/2000,640\r\n";
    }
    WriteFile(root / "download.log", text);
    workspace.catalogue().LoadCatalogue();
    view.events.clear();
  }
  std::string Catalogue() const { return ReadFile(root / "download.log"); }
  bool Exists(const std::string& name) const { return std::filesystem::exists(root / name); }

  const std::filesystem::path& start_ = StartDirectory();
  lumvex::testing::TempDir root;
  RecordingMessagePort messages;
  FixedClock clock{LocalTime{2001, 1, 6, 9, 30, 0}};
  Workspace workspace{root.path(), messages, clock};
  RecordingView view{workspace};
};

}  // namespace lumvex::app::testing
