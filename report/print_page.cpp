#include "report/print_page.h"

#include <stdio.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/text_format.h"
#include "report/block_writer.h"
#include "report/report_generator.h"

namespace lumvex::report {
namespace {

constexpr int kLinesRead = 57;  // rows 4 to 60; rows from 56 on are read but not drawn

}  // namespace

std::string PrintTitle() {
  // ระบบงาน in TIS-620
  return "\xc3\xd0\xba\xba\xa7\xd2\xb9 Download Bill Payment" + std::string(65, ' ') + "ORQ";
}

std::string PrintFooter(std::string_view fileName, int page, int lastPage) {
  return Format("File Name is %.*s %85sPage %d of %d", static_cast<int>(fileName.size()), fileName.data(), " ", page,
                lastPage);
}

namespace {

PrintPage ReadPageFrom(std::FILE* in, int page, int lastPage, std::string_view fileName) {
  PrintPage result{{}, PrintTitle(), PrintFooter(fileName, page, lastPage)};
  const long offset = static_cast<long>(page - 1) * static_cast<long>(kPageBytes);
  if (page < 1 || std::fseek(in, offset, SEEK_SET) != 0) return result;

  char line[kReportLineBytes + 1];
  for (int k = 0; k < kLinesRead && std::fgets(line, sizeof line, in) != nullptr; ++k) {
    if (k >= kPrintedBodyLines) continue;
    std::string text(line, std::min(std::strlen(line), kReportLineWidth));
    // A line off the stride may still carry its line end within 131 characters.
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    result.lines.push_back(std::move(text));
  }
  return result;
}

}  // namespace

std::optional<PrintPage> ReadPrintPage(const std::filesystem::path& printFile, int page, int lastPage,
                                       std::string_view fileName, MessagePort& messages) {
  CFile in = OpenFile(printFile, "rb");
  if (!in) {
    messages.Show(MessageStyle::Failure, "Can't open file prnrep.txt");
    return std::nullopt;
  }
  return ReadPageFrom(in.get(), page, lastPage, fileName);
}

PrintPage ReadPrintPageText(std::string_view printText, int page, int lastPage, std::string_view fileName) {
  static char nothing;
  CFile in(::fmemopen(printText.empty() ? &nothing : const_cast<char*>(printText.data()), printText.size(), "rb"));
  if (!in) return {{}, PrintTitle(), PrintFooter(fileName, page, lastPage)};
  return ReadPageFrom(in.get(), page, lastPage, fileName);
}

}  // namespace lumvex::report
