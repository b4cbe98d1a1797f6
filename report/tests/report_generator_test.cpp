#include "report/report_generator.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "core/recording_message_port.h"
#include "core/testing/temp_dir.h"
#include "report/testing/data_file_generator.h"

namespace lumvex::report {
namespace {

using lumvex::testing::ReadFile;
using lumvex::testing::TempDir;
using lumvex::testing::WriteFile;
namespace gen = lumvex::report::testing;

std::string Spaces(std::size_t n) { return std::string(n, ' '); }

// A report line as it lies in the files.
std::string Row(std::string text) {
  text.resize(131, ' ');
  return text + "\r\n";
}

std::string Blank() { return Row(""); }

std::vector<std::string> Rows(const std::string& file) {
  std::vector<std::string> rows;
  for (std::size_t i = 0; i < file.size(); i += 133) rows.push_back(file.substr(i, 133));
  return rows;
}

const std::string kColumnTitles =
    "PAY.TIME        CUST.NO.             CUST.NAME          PAY.DATE         REF. NO.       FR BR.       AMOUNT    "
    "BY  CHQ.NO. BC.";

std::string Header(int page, const std::string& asAt = "05/01/2000", const std::string& company = "WATER WORKS",
                   const std::string& code = "AB12    ") {
  char pageText[8];
  std::snprintf(pageText, sizeof pageText, "%4d", page);
  const std::string first = "DCIFB410" + Spaces(16) + "BILL PAYMENT BY COMPANY REPORT" + Spaces(5) + Spaces(7) +
                            "AS AT " + asAt + "   RUN DATE  06/01/2001   PAGE " + pageText + " ";
  std::string name = company;
  name.resize(40, ' ');
  return Row(first) + Blank() + Blank() + Row(" COMPANY NAME    " + name + "   COMPANY CODE   " + code) + Blank() +
         Row(kColumnTitles) + Blank();
}

gen::ItemFields Item(std::string channel = "CSH", long long amount = 123456) {
  gen::ItemFields item;
  item.payDate = "05012000";
  item.payTime = "093015";
  item.name1 = "SOMCHAI";
  item.name2 = "JAIDEE";
  item.customerNumber = "1234567890";
  item.reference = "000000000001";
  item.branch = "0001";
  item.channel = std::move(channel);
  item.cheque = "7654321";
  item.amount = amount;
  item.bankCode = "12";
  return item;
}

std::string HeaderRecord() { return gen::HeaderRecord({"AB12", "KORDEX", "WATER WORKS", "05012000"}); }

// The detail line of Item(): fields at columns 0, 9, 30, 56, 67, 88, 94, 112, 116, 124.
std::string Detail(const std::string& channel = "CSH", const std::string& amount = Spaces(9) + "1,234.56",
                   bool cheque = false) {
  return Row("09:30:15 1234567890           SOMCHAI  JAIDEE           05/01/2000 000000000001         0001  " + amount +
             " " + channel + " " + (cheque ? "7654321 12" : Spaces(10)));
}

std::string Amount18(const std::string& text) { return Spaces(18 - text.size()) + text; }

// The totals block with the given count and amount per channel line.
std::string Totals(const std::map<int, std::pair<long, std::string>>& lines, const std::string& charge = "0.00",
                   const std::string& discount = "0.00", const std::string& vat = "0.00") {
  static const char* kLabels[] = {"TOTAL TRANS. CASH",
                                  "             TRQ.,TRF.",
                                  "             CLQ.",
                                  "             ATM",
                                  "             KELVORIN PHONE",
                                  "             TELEFAX",
                                  "             PHONE BANKING CENTER",
                                  "             PAYMENT ON THE NET(DEBIT)",
                                  "             PAYMENT ON THE NET(CREDIT)",
                                  "             M-PHONE (CREDIT CARD)",
                                  "             INTERNET (DEBIT A/C)",
                                  "             INTERNET (CREDIT CARD)",
                                  "GRAND TOTAL TRANS.",
                                  "RETURN"};
  std::string block;
  for (int i = 0; i < 14; ++i) {
    if (i == 0 || i == 12) block += Blank();
    std::string label = kLabels[i];
    label.resize(39, ' ');
    const auto found = lines.find(i);
    const long count = found == lines.end() ? 0 : found->second.first;
    const std::string amount = found == lines.end() ? "0.00" : found->second.second;
    char countText[16];
    std::snprintf(countText, sizeof countText, "%6ld", count);
    block += Row(Spaces(21) + label + "   " + countText + "   ITEM   AMOUNT " + Amount18(amount) + "   BAHT");
  }
  auto trailer = [&](std::string label, std::size_t gap, const std::string& amount, std::size_t width) {
    label.resize(39, ' ');
    block += Row(Spaces(21) + label + Spaces(gap) + Spaces(width - amount.size()) + amount + "   BAHT");
  };
  trailer("TOTAL CHARGE AMOUNT", 27, charge, 17);
  trailer("TOTAL DISCOUNT AMOUNT (CREDIT CARD)", 27, discount, 17);
  trailer("VAT (CREDIT CARD)", 31, vat, 13);
  return block;
}

std::string Fill(int used) {
  std::string fill;
  for (int i = used; i < 60; ++i) fill += Blank();
  return fill;
}

class ReportTest : public ::testing::Test {
 protected:
  bool Run(const std::string& data, bool viewMode = true) {
    WriteFile(dataFile, data);
    return GenerateReport(dataFile, dir.path(), viewMode, messages, clock);
  }
  std::string Print() const { return ReadFile(dir / "prnrep.txt"); }
  std::string View() const { return ReadFile(dir / "report.txt"); }

  TempDir dir;
  std::filesystem::path dataFile = dir / "kordex.005";
  RecordingMessagePort messages;
  FixedClock clock{LocalTime{2001, 1, 6, 9, 30, 0}};
};

TEST_F(ReportTest, OneCompanyBlockByteForByte) {
  ASSERT_TRUE(Run(gen::JoinLines({HeaderRecord(), gen::ItemRecord(Item("CSH", 123456)),
                                  gen::ItemRecord(Item("TRF", 1000000)),
                                  gen::TrailerRecord({1123456, 100, 7})})));
  const std::string lines = Header(1) + Detail("CSH") + Detail("TRF", Spaces(8) + "10,000.00", true) +
                            Totals({{0, {1, "1,234.56"}}, {1, {1, "10,000.00"}}, {12, {2, "11,234.56"}}},
                                   "11,234.56", "1.00", "0.07");
  EXPECT_EQ(View(), lines);
  EXPECT_EQ(Print(), lines + Fill(7 + 2 + 19));
  EXPECT_EQ(LastPageNumber(), 1);
  EXPECT_TRUE(messages.messages().empty());
}

TEST_F(ReportTest, FortyOneItemsFillAPageAndTheFortySecondStartsTheNext) {
  for (int items : {41, 42}) {
    std::vector<std::string> data = {HeaderRecord()};
    for (int i = 0; i < items; ++i) data.push_back(gen::ItemRecord(Item()));
    ASSERT_TRUE(Run(gen::JoinLines(data), false));
    const auto rows = Rows(Print());
    ASSERT_EQ(rows.size(), items == 41 ? 48u : 68u) << items;
    EXPECT_EQ(rows[47], Detail()) << items;
    if (items == 42) {
      EXPECT_EQ(rows[48], Blank());
      EXPECT_EQ(rows[59], Blank());
      const std::string page2 = Header(2);
      EXPECT_EQ(rows[60] + rows[61] + rows[62] + rows[63] + rows[64] + rows[65] + rows[66], page2);
      EXPECT_EQ(rows[67], Detail());
    }
    EXPECT_EQ(LastPageNumber(), items == 41 ? 1 : 2);
  }
}

TEST_F(ReportTest, TotalsStayWithTwentyOneItemsAndMoveWithTwentyTwo) {
  for (int items : {21, 22}) {
    std::vector<std::string> data = {HeaderRecord()};
    for (int i = 0; i < items; ++i) data.push_back(gen::ItemRecord(Item("CSH", 100)));
    data.push_back(gen::TrailerRecord({}));
    ASSERT_TRUE(Run(gen::JoinLines(data)));
    const std::string print = Print();
    const auto rows = Rows(print);
    const std::string sum = std::to_string(items) + ".00";
    const std::string totals = Totals({{0, {items, sum}}, {12, {items, sum}}});
    const auto index = [&](const std::string& s) {
      const auto pos = print.find(s);
      return pos == std::string::npos ? -1 : static_cast<int>(pos / 133);
    };
    if (items == 21) {
      EXPECT_EQ(rows.size(), 60u);
    } else {
      EXPECT_EQ(rows.size(), 120u);
      EXPECT_EQ(print.substr(60 * 133, 7 * 133), Header(2));
      EXPECT_EQ(LastPageNumber(), 2);
    }
    ASSERT_EQ(index(totals), items == 21 ? 28 : 67) << items;
    // report.txt has no fill: the lines follow one another.
    EXPECT_EQ(View().find(Detail("CSH", Spaces(13) + "1.00") + (items == 21 ? totals : Header(2) + totals)) / 133, static_cast<std::size_t>(7 + items - 1)) << items;
  }
}

TEST_F(ReportTest, TwoCompanyBlocksNumberOnAndTotalTheirOwnItems) {
  const std::string second = gen::HeaderRecord({"AB12", "KORDEX", "SECOND", "06012000"});
  ASSERT_TRUE(Run(gen::JoinLines({HeaderRecord(), gen::ItemRecord(Item("CSH", 100)), gen::TrailerRecord({}), second,
                                  gen::ItemRecord(Item("ATM", 250)), gen::ItemRecord(Item("ATM", 250)),
                                  gen::TrailerRecord({})})));
  const std::string print = Print();
  ASSERT_EQ(print.size(), 2 * 7980u);
  EXPECT_EQ(print.substr(0, 7 * 133), Header(1));
  EXPECT_EQ(print.substr(7980, 7 * 133), Header(2, "06/01/2000", "SECOND"));
  EXPECT_NE(print.find(Totals({{0, {1, "1.00"}}, {12, {1, "1.00"}}})), std::string::npos);
  EXPECT_NE(print.find(Totals({{3, {2, "5.00"}}, {12, {2, "5.00"}}})), std::string::npos);
  EXPECT_EQ(LastPageNumber(), 2);
}

TEST_F(ReportTest, ChannelsCountWhereTheTableSays) {
  ASSERT_TRUE(Run(gen::JoinLines({HeaderRecord(), gen::ItemRecord(Item("TRQ", 100)),
                                  gen::ItemRecord(Item("ZZZ", 200)), gen::ItemRecord(Item("RTQ", 400)),
                                  gen::ItemRecord(Item("XYZ", 800)), gen::ItemRecord(Item("EPC", 1600)),
                                  gen::TrailerRecord({})})));
  const std::string expected =
      Header(1) + Detail("TRQ", Spaces(13) + "1.00", true) + Detail("ZZZ", Spaces(13) + "2.00", true) +
      Detail("RTQ", Spaces(13) + "4.00", true) + Detail("XYZ", Spaces(13) + "8.00", true) +
      Detail("EPC", Spaces(12) + "16.00") +
      Totals({{1, {1, "1.00"}}, {8, {1, "16.00"}}, {12, {3, "19.00"}}, {13, {1, "4.00"}}});
  EXPECT_EQ(View(), expected);
}

TEST_F(ReportTest, ItemsBeforeAnyHeaderAreListedWithoutOne) {
  ASSERT_TRUE(Run(gen::JoinLines({gen::ItemRecord(Item()), HeaderRecord(), gen::ItemRecord(Item())})));
  EXPECT_EQ(View(), Detail() + Header(1) + Detail());

  // A page break before the first header heads the page with empty company fields.
  std::vector<std::string> data;
  for (int i = 0; i < 49; ++i) data.push_back(gen::ItemRecord(Item()));
  ASSERT_TRUE(Run(gen::JoinLines(data)));
  const std::string print = Print();
  EXPECT_EQ(print.substr(48 * 133, 12 * 133), Fill(48));
  EXPECT_EQ(print.substr(60 * 133, 7 * 133), Header(1, "//", "", ""));
  EXPECT_EQ(print.substr(67 * 133), Detail());
}

TEST_F(ReportTest, LongLinesAndShortLinesAreReadAsTheReaderSplitsThem) {
  std::string first = gen::ItemRecord(Item());
  first.resize(512, ' ');
  ASSERT_TRUE(Run(first + gen::ItemRecord(Item("ATM")) + "\r\n" + gen::ItemRecord(Item("TEL")) + "\r\n" + "\r\n" +
                  gen::ItemRecord(Item("FAX")) + "\r\n"));
  EXPECT_EQ(View(), Detail("CSH") + Detail("ATM") + Detail("TEL"));
}

TEST_F(ReportTest, AThaiNameCellShowsAsTwentyFiveColumns) {
  gen::ItemFields item = Item();
  item.name1 = gen::ToTis620("สมศักดิ์");
  item.name2 = "RUNGRUANG";
  ASSERT_TRUE(Run(gen::JoinLines({gen::ItemRecord(item)})));
  const std::string cell = gen::ToTis620("สมศักดิ์") + "  RUNGRUANG" + Spaces(9);
  EXPECT_EQ(View(), Row("09:30:15 1234567890           " + cell + " 05/01/2000 000000000001         0001  " +
                        Spaces(9) + "1,234.56 CSH " + Spaces(10)));
}

TEST_F(ReportTest, AnEmptyFileGivesEmptyReportsAndKeepsTheLastPageNumber) {
  SetLastPageNumber(17);
  WriteFile(dir / "report.txt", "old");
  WriteFile(dir / "prnrep.txt", "old");
  for (const std::string& data : std::vector<std::string>{"", "H\r\n", "\r\n" + HeaderRecord()}) {
    ASSERT_TRUE(Run(data));
    EXPECT_EQ(View(), "");
    EXPECT_EQ(Print(), "");
  }
  EXPECT_EQ(LastPageNumber(), 17);
  EXPECT_TRUE(messages.messages().empty());
}

TEST_F(ReportTest, WithoutTheLocalTimeHeadersAreBlankAndThePageKeepsItsStride) {
  clock.Set(std::nullopt);
  std::vector<std::string> data = {HeaderRecord()};
  for (int i = 0; i < 42; ++i) data.push_back(gen::ItemRecord(Item()));
  data.push_back(gen::TrailerRecord({}));
  ASSERT_TRUE(Run(gen::JoinLines(data), false));
  const std::string print = Print();
  ASSERT_EQ(print.size(), 2 * 7980u);
  std::string blankHeader;
  for (int i = 0; i < 7; ++i) blankHeader += Blank();
  EXPECT_EQ(print.substr(0, 7 * 133), blankHeader);
  EXPECT_EQ(print.substr(7980, 7 * 133), blankHeader);
  EXPECT_EQ(print.substr(7 * 133, 133), Detail());
  EXPECT_EQ(messages.texts(), std::vector<std::string>{"Get local time ERROR !!! OVER year \xa4.\xc8. 2037"});
  EXPECT_EQ(LastPageNumber(), 2);
}

TEST_F(ReportTest, PrintModeLeavesReportTxtAlone) {
  WriteFile(dir / "report.txt", "earlier view");
  ASSERT_TRUE(Run(gen::JoinLines({HeaderRecord()}), false));
  EXPECT_EQ(View(), "earlier view");
  EXPECT_EQ(Print(), Header(1));  // only a totals block fills its page
}

TEST_F(ReportTest, FilesThatCannotBeOpenedAreNamed) {
  EXPECT_FALSE(GenerateReport(dir / "missing", dir.path(), true, messages, clock));
  WriteFile(dataFile, gen::JoinLines({HeaderRecord()}));
  EXPECT_FALSE(GenerateReport(dataFile, dir / "nowhere", true, messages, clock));
  EXPECT_FALSE(GenerateReport(dataFile, dir / "nowhere", false, messages, clock));
  EXPECT_EQ(messages.texts(), (std::vector<std::string>{"Can't open file " + (dir / "missing").string(),
                                                        "Can't open file report.txt", "Can't open file prnrep.txt"}));
}

}  // namespace
}  // namespace lumvex::report
