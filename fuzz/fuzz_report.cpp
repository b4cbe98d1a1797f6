// A data file is outside input: whatever its bytes, the report must come out
// as whole 133-byte lines (prnrep.txt holding every line of report.txt and
// the page fill), each printed page must read back, and the copy must write
// whole 258-byte records.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/clock.h"
#include "core/recording_message_port.h"
#include "core/testing/temp_dir.h"
#include "report/fixed_record_copy.h"
#include "report/print_page.h"
#include "report/report_generator.h"

namespace {

void CheckLines(const std::string& text) {
  if (text.size() % lumvex::report::kReportLineBytes != 0) std::abort();
  for (std::size_t i = lumvex::report::kReportLineWidth; i < text.size(); i += lumvex::report::kReportLineBytes) {
    if (text.compare(i, 2, "\r\n") != 0) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace lumvex;
  static const testing::TempDir dir;
  const auto dataFile = dir / "kordex.001";
  testing::WriteFile(dataFile, std::string_view(reinterpret_cast<const char*>(data), size));
  RecordingMessagePort messages;
  FixedClock clock(LocalTime{2001, 1, 6, 9, 30, 0});
  if (size > 0 && data[0] == 0xFF) clock.Set(std::nullopt);

  report::SetLastPageNumber(0);
  if (!report::GenerateReport(dataFile, dir.path(), true, messages, clock)) std::abort();
  const std::string print = testing::ReadFile(dir / "prnrep.txt");
  const std::string view = testing::ReadFile(dir / "report.txt");
  CheckLines(print);
  CheckLines(view);
  if (view.size() > print.size()) std::abort();

  const int last = report::LastPageNumber();
  for (int page = 1; page <= last && page <= 3; ++page) {
    const auto printed = report::ReadPrintPage(dir / "prnrep.txt", page, last, "kordex.001", messages);
    if (!printed || printed->lines.size() > report::kPrintedBodyLines) std::abort();
    for (const auto& line : printed->lines) {
      if (line.size() > report::kReportLineWidth) std::abort();
    }
  }

  if (!report::CopyFixedRecords(dataFile, dir / "copy.dat", messages)) std::abort();
  if (testing::ReadFile(dir / "copy.dat").size() % report::kCopyRecordLength != 0) std::abort();
  return 0;
}
