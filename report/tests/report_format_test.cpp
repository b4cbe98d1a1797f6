#include "report/report_format.h"

#include <gtest/gtest.h>

#include "report/testing/data_file_generator.h"

namespace lumvex::report {
namespace {

namespace gen = lumvex::report::testing;

std::string Spaces(std::size_t n) { return std::string(n, ' '); }

TEST(FormatAmount, GroupsBlanksAndSigns) {
  struct Case {
    std::string in;
    std::string out;
  } cases[] = {
      {"0000000123456", Spaces(9) + "1,234.56"},
      {"0000000000000", Spaces(13) + "0.00"},
      {"0000001000000", Spaces(8) + "10,000.00"},
      {"0000000000007", Spaces(13) + "0.07"},
      {"9999999999999", "99,999,999,999.99"},
      {"-000000012345", Spaces(10) + "-123.45"},
      {"-000000000012", Spaces(12) + "-0.12"},
      {"00000000000000", Spaces(14) + "0.00"},                  // a 14-digit total: 18 columns
      {"-0000000000012", Spaces(13) + "-0.12"},
      {"00123456789012", Spaces(2) + "1,234,567,890.12"},
      {"0000000000", Spaces(9) + "0.00"},                       // VAT: 13 columns
      {"0000012345", Spaces(7) + "123.45"},
      {"123", "1.23"},
      {"5", "0.05"},                                            // short fields are filled with zeros
      {"", "0.00"},
      {"     123456789", "   ,  1,234,567.89"},                 // only zeros and commas are blanked
  };
  for (const auto& c : cases) EXPECT_EQ(FormatAmount(c.in), c.out) << '"' << c.in << '"';
  EXPECT_EQ(FormatAmount("0000000123456").size(), 17u);
}

TEST(ChannelIndex, FollowsTheTableWithTrqLast) {
  EXPECT_EQ(ChannelIndex("CSH"), 0);
  EXPECT_EQ(ChannelIndex("TRF"), 1);
  EXPECT_EQ(ChannelIndex("TRQ"), 1);
  EXPECT_EQ(ChannelIndex("INC"), 11);
  EXPECT_EQ(ChannelIndex("ZZZ"), 12);
  EXPECT_EQ(ChannelIndex("RTQ"), 13);
  EXPECT_EQ(ChannelIndex("CSHX"), 0);
  for (const char* unknown : {"XYZ", "csh", "CS", ""}) EXPECT_EQ(ChannelIndex(unknown), kNoChannelLine) << unknown;
  for (const auto& line : ChannelTable()) EXPECT_EQ(line.label.size(), kChannelLabelWidth) << line.code;
  EXPECT_TRUE(HasNoChequeData("EPC"));
  EXPECT_FALSE(HasNoChequeData("TRQ"));
  EXPECT_FALSE(HasNoChequeData("XYZ"));
}

TEST(CountThaiMarks, CountsTheFourteenNonSpacingMarks) {
  std::string all;
  for (int b = 0x80; b <= 0xFF; ++b) all += static_cast<char>(b);
  EXPECT_EQ(CountThaiMarks(all, all.size()), 14);
  EXPECT_EQ(CountThaiMarks(gen::ToTis620("สมศักดิ์"), 8), 3);
  EXPECT_EQ(CountThaiMarks(gen::ToTis620("สมศักดิ์"), 4), 1);
  EXPECT_EQ(CountThaiMarks("\xd1", 99), 1);
}

std::string NameItem(std::string first, std::string second) {
  gen::ItemFields item;
  item.name1 = std::move(first);
  item.name2 = std::move(second);
  return gen::ItemRecord(item);
}

TEST(FitNameColumn, ShowsTwentyFiveColumnsWhateverTheMarks) {
  struct Case {
    const char* what;
    std::string first, second, cell;
  } cases[] = {
      {"ASCII", "SOMCHAI", "JAIDEE", "SOMCHAI  JAIDEE" + Spaces(10)},
      {"three marks, none near the cut: 28 bytes", gen::ToTis620("สมศักดิ์"), "RUNGRUANG",
       gen::ToTis620("สมศักดิ์") + "  RUNGRUANG" + Spaces(9)},
      // Marks at bytes 1 and 28: the one past column 25 falls in the window and is cut off.
      {"a mark in the window", "\xa1\xd4" + std::string(23, 'A'), "\xa1\xe8XY",
       "\xa1\xd4" + std::string(23, 'A') + " "},
      {"long names are cut", std::string(25, 'N'), std::string(20, 'S'), std::string(25, 'N')},
      {"blank first part keeps one space", "", "LAST", "   LAST" + Spaces(18)},
  };
  for (const auto& c : cases) EXPECT_EQ(FitNameColumn(NameItem(c.first, c.second)), c.cell) << c.what;
  EXPECT_EQ(FitNameColumn("I short"), Spaces(25));
}

TEST(AmountValue, ReadsSignAndLeadingDigits) {
  EXPECT_EQ(AmountValue("0000000123456"), 123456.0);
  EXPECT_EQ(AmountValue("-000000012345"), -12345.0);
  EXPECT_EQ(AmountValue("  12x99"), 12.0);
  EXPECT_EQ(AmountValue("abc"), 0.0);
  EXPECT_EQ(AmountValue(""), 0.0);
}

}  // namespace
}  // namespace lumvex::report
