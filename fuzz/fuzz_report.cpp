// A data file is outside input: whatever its bytes, the report must come out
// as whole 133-byte lines (prnrep.txt holding every line of report.txt and
// the page fill), each printed page must read back, and the copy must make
// whole 258-byte records. All in memory, through the code the files use.
#include <stdio.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/clock.h"
#include "core/file_handle.h"
#include "core/recording_message_port.h"
#include "report/data_line_reader.h"
#include "report/fixed_record_copy.h"
#include "report/print_page.h"
#include "report/report_generator.h"

namespace {

using namespace lumvex;

void CheckLines(const std::string& text) {
  if (text.size() % report::kReportLineBytes != 0) std::abort();
  for (std::size_t i = report::kReportLineWidth; i < text.size(); i += report::kReportLineBytes) {
    if (text.compare(i, 2, "\r\n") != 0) std::abort();
  }
}

void CheckCopy(std::string_view data) {
  static char nothing;
  CFile in(::fmemopen(data.empty() ? &nothing : const_cast<char*>(data.data()), data.size(), "rb"));
  if (!in) std::abort();
  report::DataLineReader reader(in.get(), 1 << 13);
  for (std::string_view line; reader.Next(line);) {
    const std::string record = report::CopyRecordOf(line);
    if (record.size() != report::kCopyRecordLength || record.compare(record.size() - 2, 2, "\r\n") != 0) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  RecordingMessagePort messages;
  FixedClock clock(LocalTime{2001, 1, 6, 9, 30, 0});
  if (size > 0 && data[0] == 0xFF) clock.Set(std::nullopt);

  report::SetLastPageNumber(0);
  // Kept from run to run, so their memory is reused.
  static std::string view;
  static std::string print;
  if (!report::GenerateReportText(bytes, true, &view, print, messages, clock)) std::abort();
  CheckLines(print);
  CheckLines(view);
  if (view.size() > print.size()) std::abort();

  const int last = report::LastPageNumber();
  for (int page = 1; page <= last + 1 && page <= 3; ++page) {
    const report::PrintPage printed = report::ReadPrintPageText(print, page, last, "kordex.001");
    if (printed.lines.size() > report::kPrintedBodyLines) std::abort();
    for (const auto& line : printed.lines) {
      if (line.size() > report::kReportLineWidth) std::abort();
    }
  }
  CheckCopy(bytes);
  return 0;
}
