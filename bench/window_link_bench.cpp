// A download from the window's Download dialog against hostsim emulating a
// 14400 bps line, with the real pauses. Two figures:
//  - its wall time beside the floor of the mandated pauses (1500 ms before
//    the PAD check, 500 ms before the first request, 250 ms before each
//    request, 50 ms for each finishing step of the Uncompress bar) plus the
//    line time of every reply byte;
//  - the longest stall of the user-interface thread's event loop over the
//    whole road (dial, transfer, uncompress, hang-up), seen by a 5 ms probe
//    timer, beside the same figure for the link work run on the
//    user-interface thread itself (the blocking design).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <chrono>

#include "app/workspace.h"
#include "bench/download_fixture.h"
#include "core/pacing.h"
#include "core/recording_message_port.h"
#include "core/testing/temp_dir.h"
#include "core/text_format.h"
#include "hostsim/testing/hostsim_process.h"
#include "link/download_transaction.h"
#include "link/lzw_uncompress_step.h"
#include "link/padx25_port.h"
#include "ui/countdown_dialogs.h"
#include "ui/download_dialog.h"
#include "ui/link_dialog_support.h"

namespace {

using namespace lumvex;
constexpr double kLineBitsPerSecond = 14400.0;


// The longest gap between two ticks of a 5 ms timer while it runs.
class StallProbe {
 public:
  StallProbe() {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      longest_ = std::max(longest_, clock_.restart());
    });
  }
  void Start() {
    longest_ = 0;
    clock_.start();
    timer_.start(5);
  }
  qint64 Stop() {
    timer_.stop();
    return std::max(longest_, clock_.elapsed());
  }

 private:
  QTimer timer_;
  QElapsedTimer clock_;
  qint64 longest_ = 0;
};


struct Road : bench::ServedDownload {
  RecordingMessagePort messages;
  app::Workspace workspace{store.path(), messages, SystemClock::Instance()};

  Road() {
    testing::WriteFile(store / "download.log", "1\r\nabc01\r\n0\r\n");
    workspace.catalogue().LoadCatalogue();
    workspace.SelectByName("abc01");
  }
  double FloorSeconds(int finishingSteps) const {
    return 1.5 + 0.5 + 0.25 * static_cast<double>(pad.requests) + 0.05 * finishingSteps +
           static_cast<double>(pad.replyBytes) * 10.0 / kLineBitsPerSecond;
  }
};

// Dial in the window, Download Completed, then Disconnect in the next showing.
void BM_WindowDownload(benchmark::State& state) {
  Road road;
  if (!road.host->started()) return state.SkipWithError(road.host->error().c_str());
  ui::SetWindowPad(&road.pad);
  ui::CountdownDialogs::TestHook answers;
  double wall = 0, floor = 0;
  qint64 stall = 0;
  for (auto _ : state) {
    road.Clean();
    ui::CDownloadDlg dialog(road.workspace);
    StallProbe probe;
    QElapsedTimer clock;
    QTimer::singleShot(0, &dialog, [&] {
      dialog.findChild<QLineEdit*>("staffIdEdit")->setText("123456");
      dialog.findChild<QLineEdit*>("passwordEdit")->setText("654321");
      dialog.findChild<QLineEdit*>("dateEdit")->setText(QString::fromStdString(road.date));
      probe.Start();
      clock.start();
      dialog.findChild<QPushButton*>("dialButton")->click();
    });
    if (dialog.Run() != ui::kDownloadStored) return state.SkipWithError("download failed");
    const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    QTimer::singleShot(0, &dialog, [&] { dialog.findChild<QPushButton*>("cancelButton")->click(); });
    dialog.Run();
    stall = std::max(stall, probe.Stop());
    state.SetIterationTime(seconds);
    wall += seconds;
    floor += road.FloorSeconds(dialog.uncompressStep().finishingSteps());
  }
  ui::SetWindowPad(nullptr);
  state.counters["wall_s"] = benchmark::Counter(wall, benchmark::Counter::kAvgIterations);
  state.counters["floor_s"] = benchmark::Counter(floor, benchmark::Counter::kAvgIterations);
  state.counters["over_floor_pct"] = (wall / floor - 1.0) * 100.0;
  state.counters["max_ui_stall_ms"] = static_cast<double>(stall);
}
BENCHMARK(BM_WindowDownload)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

// The baseline: the same road with the link work on the user-interface thread.
void BM_BlockingDownloadBaseline(benchmark::State& state) {
  Road road;
  if (!road.host->started()) return state.SkipWithError(road.host->error().c_str());
  SleepingPacer pacer;
  link::LinkState linkState;
  link::LzwUncompressStep uncompress(road.store.path());
  link::LinkControl control(link::LinkCopy::Download, road.pad, road.messages, pacer, road.store / "config.dat",
                            linkState);
  link::DownloadTransaction download(control, road.messages, pacer, SystemClock::Instance(), uncompress,
                                     road.store.path());
  qint64 stall = 0;
  for (auto _ : state) {
    road.Clean();
    StallProbe probe;
    probe.Start();
    QElapsedTimer clock;
    link::DownloadOutcome outcome = link::DownloadOutcome::Failed;
    QTimer::singleShot(10, [&] {
      clock.start();
      outcome = download.Start({"abc01", "123456", "654321", road.date});
      control.LinkDisconnect();
      state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
      QCoreApplication::exit(0);
    });
    QCoreApplication::exec();
    stall = std::max(stall, probe.Stop());
    if (outcome != link::DownloadOutcome::Completed) return state.SkipWithError("download failed");
  }
  state.counters["max_ui_stall_ms"] = static_cast<double>(stall);
}
BENCHMARK(BM_BlockingDownloadBaseline)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("DISPLAY") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
