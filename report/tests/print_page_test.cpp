#include "report/print_page.h"

#include <gtest/gtest.h>

#include "core/recording_message_port.h"
#include "core/testing/temp_dir.h"
#include "report/report_generator.h"
#include "report/testing/data_file_generator.h"

namespace lumvex::report {
namespace {

using lumvex::testing::TempDir;
using lumvex::testing::WriteFile;
namespace gen = lumvex::report::testing;

// prnrep.txt lines that say where they are: page p, row r.
std::string PrintFile(int pages) {
  std::string file;
  for (int p = 1; p <= pages; ++p) {
    for (int r = 1; r <= 60; ++r) {
      std::string line = "page " + std::to_string(p) + " row " + std::to_string(r);
      line.resize(131, '.');
      file += line + "\r\n";
    }
  }
  return file;
}

std::string Expected(int page, int row) {
  std::string line = "page " + std::to_string(page) + " row " + std::to_string(row);
  line.resize(131, '.');
  return line;
}

TEST(PrintPage, ReadsTheFirst52LinesOfThePagesBlock) {
  TempDir dir;
  WriteFile(dir / "prnrep.txt", PrintFile(4));
  RecordingMessagePort messages;
  const auto page = ReadPrintPage(dir / "prnrep.txt", 3, 4, "kordex.005", messages);
  ASSERT_TRUE(page.has_value());
  ASSERT_EQ(page->lines.size(), 52u);
  EXPECT_EQ(page->lines.front(), Expected(3, 1));  // byte 15,960
  EXPECT_EQ(page->lines.back(), Expected(3, 52));
  EXPECT_EQ(page->footer, "File Name is kordex.005 " + std::string(85, ' ') + "Page 3 of 4");
  EXPECT_EQ(page->title, "\xc3\xd0\xba\xba\xa7\xd2\xb9 Download Bill Payment" + std::string(65, ' ') + "ORQ");
  EXPECT_TRUE(messages.messages().empty());
}

TEST(PrintPage, ShortPagesAndPagesPastTheEnd) {
  TempDir dir;
  std::string file = PrintFile(1).substr(0, 48 * 133);
  file += "short\r\n";
  WriteFile(dir / "prnrep.txt", file);
  RecordingMessagePort messages;
  const auto page = ReadPrintPage(dir / "prnrep.txt", 1, 1, "kordex.005", messages);
  ASSERT_TRUE(page.has_value());
  ASSERT_EQ(page->lines.size(), 49u);
  EXPECT_EQ(page->lines[47], Expected(1, 48));
  EXPECT_EQ(page->lines[48], "short");
  EXPECT_TRUE(page->footer.ends_with("Page 1 of 1"));
  const auto past = ReadPrintPage(dir / "prnrep.txt", 5, 1, "kordex.005", messages);
  ASSERT_TRUE(past.has_value());
  EXPECT_TRUE(past->lines.empty());
  EXPECT_FALSE(past->footer.empty());
}

TEST(PrintPage, AMissingFileIsShownAndGivesNoPage) {
  TempDir dir;
  RecordingMessagePort messages;
  EXPECT_FALSE(ReadPrintPage(dir / "prnrep.txt", 1, 1, "kordex.005", messages).has_value());
  EXPECT_EQ(messages.texts(), std::vector<std::string>{"Can't open file prnrep.txt"});
}

TEST(PrintPage, EveryPageOfAGeneratedReportStartsWithItsHeader) {
  TempDir dir;
  RecordingMessagePort messages;
  FixedClock clock{LocalTime{2001, 1, 6, 9, 30, 0}};
  gen::DataFileOptions options;
  options.companies = 2;
  options.itemsPerCompany = 100;
  WriteFile(dir / "kordex.005", gen::GenerateDataFile(options));
  ASSERT_TRUE(GenerateReport(dir / "kordex.005", dir.path(), false, messages, clock));
  const int last = LastPageNumber();
  ASSERT_EQ(last, 2 * 3);  // 100 items: 41 + 41 + 18 and the totals
  for (int p = 1; p <= last; ++p) {
    const auto page = ReadPrintPage(dir / "prnrep.txt", p, last, "kordex.005", messages);
    ASSERT_TRUE(page.has_value());
    ASSERT_FALSE(page->lines.empty());
    EXPECT_TRUE(page->lines[0].starts_with("DCIFB410")) << p;
    EXPECT_TRUE(page->lines[0].ends_with("PAGE " + std::string(p < 10 ? "   " : "  ") + std::to_string(p) + " " +
                                         std::string(131 - 118, ' ')))
        << p;
  }
}

}  // namespace
}  // namespace lumvex::report
