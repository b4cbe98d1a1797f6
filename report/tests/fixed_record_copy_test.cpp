#include "report/fixed_record_copy.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

#include "core/recording_message_port.h"
#include "core/testing/temp_dir.h"
#include "report/testing/data_file_generator.h"

namespace lumvex::report {
namespace {

using lumvex::testing::ReadFile;
using lumvex::testing::TempDir;
using lumvex::testing::WriteFile;

std::string Spaces(std::size_t n) { return std::string(n, ' '); }
std::string Record(std::string data) { return data + Spaces(256 - data.size()) + "\r\n"; }

class CopyTest : public ::testing::Test {
 protected:
  std::string Copy(std::string_view input) {
    WriteFile(source, input);
    EXPECT_TRUE(CopyFixedRecords(source, destination, messages)) << ::testing::PrintToString(messages.texts());
    return ReadFile(destination);
  }

  TempDir dir;
  std::filesystem::path source = dir / "kordex.005";
  std::filesystem::path destination = dir / "out.dat";
  RecordingMessagePort messages;
};

TEST_F(CopyTest, KeepsCharacters19To274OfEveryLineAsA258ByteRecord) {
  const std::string prefix(19, 'p');
  const std::string full = std::string(128, 'a') + std::string(128, 'b');
  struct Case {
    const char* what;
    std::string input;
    std::string expected;
  } cases[] = {
      {"prefix, 256 characters, CR LF", prefix + full + "\r\n", full + "\r\n"},
      {"characters past 274 dropped", prefix + full + "tail\r\n", full + "\r\n"},
      {"short line padded, its CR LF read as spaces", prefix + "data\r\n", Record("data")},
      {"LF alone and no line end at all", prefix + "one\n" + prefix + "two", Record("one") + Record("two")},
      {"line under 20 characters gives 256 spaces", "H123456789012\r\n", Record("")},
      {"a line under 10 characters ends the copy", prefix + "kept\r\n\r\n" + prefix + "lost\r\n", Record("kept")},
      {"the first line short: nothing written", "H\r\n" + prefix + "lost\r\n", ""},
      {"header, item and trailer alike",
       testing::JoinLines({testing::HeaderRecord({}), testing::ItemRecord({}), testing::TrailerRecord({})}),
       testing::HeaderRecord({}).substr(19) + "\r\n" + testing::ItemRecord({}).substr(19) + "\r\n" +
           testing::TrailerRecord({}).substr(19) + "\r\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(Copy(c.input), c.expected) << c.what;
}

TEST_F(CopyTest, ALineLongerThan512CharactersIsCopiedAsTwo) {
  std::string line = Spaces(19) + std::string(493, 'x');  // 512 characters
  line += std::string(19, 'q') + "rest\r\n";
  EXPECT_EQ(Copy(line), Record(std::string(256, 'x')) + Record("rest"));
  EXPECT_EQ(CopyRecordOf(std::string(300, 'z')), std::string(256, 'z') + "\r\n");
}

TEST_F(CopyTest, OverwritesAnExistingDestination) {
  WriteFile(destination, std::string(5000, '#'));
  EXPECT_EQ(Copy(Spaces(19) + "new\r\n"), Record("new"));
}

TEST_F(CopyTest, FailuresNameThePathAndMakeNoDestination) {
  EXPECT_FALSE(CopyFixedRecords(dir / "missing", destination, messages));
  EXPECT_FALSE(std::filesystem::exists(destination));
  WriteFile(source, Spaces(30) + "\r\n");
  EXPECT_FALSE(CopyFixedRecords(source, dir / "no" / "such" / "dir", messages));
  const std::string missing = (dir / "missing").string();
  const std::string badDestination = (dir / "no" / "such" / "dir").string();
  EXPECT_EQ(messages.messages(), (std::vector<RecordingMessagePort::Message>{
                                     {MessageStyle::Failure, "Can't open file " + missing},
                                     {MessageStyle::Failure, "Can't open file " + badDestination}}));
}

TEST_F(CopyTest, RefusesToCopyAFileOntoItselfAndKeepsIt) {
  const std::string data = Spaces(19) + "keep me\r\n";
  WriteFile(source, data);
  EXPECT_FALSE(CopyFixedRecords(source, dir.path() / "." / "kordex.005", messages));
  EXPECT_EQ(ReadFile(source), data);
  ASSERT_EQ(messages.messages().size(), 1u);
  EXPECT_EQ(messages.messages()[0].style, MessageStyle::Failure);
}

TEST_F(CopyTest, AFailedWriteIsReportedAndNotPassedOffAsACopy) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  WriteFile(source, testing::GenerateDataFile({}));
  EXPECT_FALSE(CopyFixedRecords(source, "/dev/full", messages));
  EXPECT_EQ(messages.texts(), std::vector<std::string>{"Can't write file /dev/full"});
  EXPECT_TRUE(std::filesystem::exists("/dev/full"));
}

TEST_F(CopyTest, AnEmptyDestinationMeansTempDatInTheWorkingDirectory) {
  WriteFile(source, Spaces(19) + "x\r\n");
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  const bool copied = CopyFixedRecords(source, "", messages);
  std::filesystem::current_path(previous);
  EXPECT_TRUE(copied);
  EXPECT_EQ(ReadFile(dir / "temp.dat"), Record("x"));
}

}  // namespace
}  // namespace lumvex::report
