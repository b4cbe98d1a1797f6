#include "report/data_line_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/testing/temp_dir.h"

namespace lumvex::report {
namespace {

std::vector<std::string> ReadAll(const std::string& bytes, std::size_t blockSize) {
  lumvex::testing::TempDir dir;
  lumvex::testing::WriteFile(dir / "f", bytes);
  std::FILE* file = std::fopen((dir / "f").c_str(), "rb");
  DataLineReader reader(file, blockSize);
  std::vector<std::string> lines;
  for (std::string_view line; reader.Next(line);) lines.emplace_back(line);
  EXPECT_FALSE(reader.failed());
  std::fclose(file);
  return lines;
}

TEST(DataLineReader, SplitsAt512CharactersAndStopsAtTheFirstShortLine) {
  const std::string ten = "0123456789";
  const std::string long512(512, 'a');
  struct Case {
    const char* what;
    std::string bytes;
    std::vector<std::string> lines;
  } cases[] = {
      {"CR LF and LF lines, last without line end", ten + "\r\n" + ten + "\n" + ten, {ten + "\r\n", ten + "\n", ten}},
      {"511 characters and LF are one line", std::string(511, 'b') + "\n", {std::string(511, 'b') + "\n"}},
      {"512 characters then LF: the LF alone is short", long512 + "\n" + ten + "\n", {long512}},
      {"the rest of a long line is the next line", long512 + ten + "xy\r\n", {long512, ten + "xy\r\n"}},
      {"9 characters with line end end the file", ten + "\n" + "1234567\r\n" + ten + "\n", {ten + "\n"}},
      {"an empty line ends the file", "\r\n" + ten, {}},
      {"a short last line is not returned", ten + "\n" + "abc", {ten + "\n"}},
      {"empty file", "", {}},
  };
  for (const auto& c : cases) {
    for (std::size_t block : {std::size_t{1024}, std::size_t{1 << 16}}) {
      EXPECT_EQ(ReadAll(c.bytes, block), c.lines) << c.what << ", block " << block;
    }
  }
}

TEST(DataLineReader, ReadsLinesAcrossBlockBoundaries) {
  std::string bytes;
  std::vector<std::string> expected;
  for (int i = 0; i < 500; ++i) {
    expected.push_back(std::string(static_cast<std::size_t>(10 + i % 600), static_cast<char>('a' + i % 26)) + "\r\n");
    bytes += expected.back();
  }
  // Lines over 512 come back cut in two; rebuild the expectation that way.
  std::vector<std::string> cut;
  for (const auto& line : expected) {
    if (line.size() <= 512) {
      cut.push_back(line);
    } else {
      cut.push_back(line.substr(0, 512));
      if (line.size() - 512 >= 10) cut.push_back(line.substr(512));
      else break;
    }
  }
  EXPECT_EQ(ReadAll(bytes, 1024), cut);
}

TEST(DataLineReader, FieldsPastTheEndReadEmpty) {
  EXPECT_EQ(WithoutLineEnd("abc\r\n"), "abc");
  EXPECT_EQ(WithoutLineEnd("abc\n"), "abc");
  EXPECT_EQ(WithoutLineEnd("abc\r"), "abc");
  EXPECT_EQ(WithoutLineEnd("abc"), "abc");
  EXPECT_EQ(Field("0123456789", 8, 5), "89");
  EXPECT_EQ(Field("0123456789", 10, 5), "");
  EXPECT_EQ(Field("0123456789", 99, 5), "");
}

}  // namespace
}  // namespace lumvex::report
