// Load and save of a full catalogue: 10 Service Codes and 3660 entries.
#include <benchmark/benchmark.h>

#include "core/recording_message_port.h"
#include "core/testing/temp_dir.h"
#include "core/text_format.h"
#include "store/catalogue.h"

namespace {

using namespace lumvex;

std::string FullCatalogueText() {
  std::string text = "10\r\n";
  for (int i = 0; i < 10; ++i) text += Format("code%02d\r\n", i);
  text += "3660\r\n";
  for (int i = 0; i < 3660; ++i) {
    text += Format("kordex.%03d,code%02d,Download Bill Payment,05/01/2000,06/01/2000,%d\r\n", i % 366 + 1, i % 10,
                   1000000 + i);
  }
  return text;
}

struct Store {
  testing::TempDir dir;
  RecordingMessagePort messages;
  store::Catalogue catalogue{messages, dir.path()};
  Store() { testing::WriteFile(dir / "download.log", FullCatalogueText()); }
};

void BM_LoadFullCatalogue(benchmark::State& state) {
  Store s;
  for (auto _ : state) {
    s.catalogue.LoadCatalogue();
    benchmark::DoNotOptimize(s.catalogue.fileCount());
  }
  if (s.catalogue.fileCount() != 3660 || !s.messages.messages().empty()) state.SkipWithError("catalogue not loaded");
}
BENCHMARK(BM_LoadFullCatalogue)->Unit(benchmark::kMillisecond);

void BM_SaveFullCatalogue(benchmark::State& state) {
  Store s;
  s.catalogue.LoadCatalogue();
  for (auto _ : state) {
    if (!s.catalogue.SaveCatalogue()) state.SkipWithError("save failed");
  }
}
BENCHMARK(BM_SaveFullCatalogue)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
