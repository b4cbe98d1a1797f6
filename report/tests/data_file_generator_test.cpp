#include "report/testing/data_file_generator.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/testing/temp_dir.h"

namespace lumvex::report::testing {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t pos = 0; pos < text.size();) {
    const auto end = text.find("\r\n", pos);
    lines.push_back(text.substr(pos, end - pos));
    pos = end + 2;
  }
  return lines;
}

TEST(DataFileGenerator, RecordsHoldTheirFieldsAtFixedColumns) {
  ItemFields item;
  item.name1 = ToTis620("สมศักดิ์");
  item.channel = "TRQ";
  item.amount = -12345;
  const std::string r = ItemRecord(item);
  ASSERT_EQ(r.size(), kRecordLength);
  EXPECT_EQ(r[0], 'I');
  EXPECT_EQ(r.substr(53, 8), "\xca\xc1\xc8\xd1\xa1\xb4\xd4\xec");
  EXPECT_EQ(r.substr(172, 3), "TRQ");
  EXPECT_EQ(r.substr(182, 13), "-000000012345");

  const std::string h = HeaderRecord({"AB12", "KORDEX", "X", "31122000"});
  EXPECT_EQ(h.substr(0, 15), "HAB12    KORDEX");
  EXPECT_EQ(h.substr(79, 8), "31122000");
  const std::string t = TrailerRecord({100, 7, 3});
  EXPECT_EQ(t.substr(39, 13), "0000000000100");
  EXPECT_EQ(t.substr(90, 10), "0000000003");
}

TEST(DataFileGenerator, FileHasOneBlockPerCompanyAndIsRepeatable) {
  DataFileOptions options;
  options.companies = 2;
  options.itemsPerCompany = 3;
  options.serviceCode = "ab12";
  DataFileSummary summary;
  const std::string text = GenerateDataFile(options, &summary);
  EXPECT_EQ(text, GenerateDataFile(options));
  const auto lines = Lines(text);
  ASSERT_EQ(lines.size(), 10u);
  std::string kinds;
  for (const auto& l : lines) kinds += l[0];
  EXPECT_EQ(kinds, "HIIITHIIIT");
  EXPECT_EQ(lines[0].substr(1, 14), "AB12    KORDEX");
  EXPECT_EQ(summary.bytes, text.size());
  EXPECT_EQ(summary.items, 6);
  EXPECT_EQ(summary.companies, 2);
  EXPECT_EQ(text.find('?'), std::string::npos) << "a name is not all TIS-620";
  EXPECT_NE(text.find('\xe8'), std::string::npos) << "no tone mark in the names";
}

TEST(DataFileGenerator, StreamsAFileOfTheAskedSize) {
  lumvex::testing::TempDir dir;
  DataFileOptions options;
  options.targetBytes = 1'000'000;
  const auto summary = WriteDataFile(dir / "kordex.005", options);
  ASSERT_TRUE(summary.has_value());
  EXPECT_GE(summary->bytes, 1'000'000u);
  EXPECT_LT(summary->bytes, 1'000'000u + 2 * (kRecordLength + 2));
  EXPECT_EQ(std::filesystem::file_size(dir / "kordex.005"), summary->bytes);
  EXPECT_FALSE(WriteDataFile(dir / "missing" / "kordex.005", options).has_value());
}

}  // namespace
}  // namespace lumvex::report::testing
