// The uncompress step in a store: names, files left behind, failure texts.
#include "lzw/uncompress_received_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/recording_message_port.h"
#include "core/testing/temp_dir.h"
#include "lzw/received_file_packer.h"
#include "lzw/tests/lzw_test_streams.h"

namespace lumvex::lzw {
namespace {

using lumvex::testing::ReadFile;
using lumvex::testing::WriteFile;

class UncompressTest : public ::testing::Test {
 protected:
  UncompressTest() { std::filesystem::create_directory(root / "abc01"); }

  bool Uncompress(int day) { return UncompressReceivedFile(root.path(), "abc01", day, messages).done; }

  lumvex::testing::TempDir root;
  RecordingMessagePort messages;
};

TEST_F(UncompressTest, FileNumbersNameTheThreeFiles) {
  for (const auto& [day, suffix] : {std::pair{1, "001"}, std::pair{61, "061"}}) {
    const UncompressFiles files = UncompressFileNames("abc01", day);
    EXPECT_EQ(files.received, std::string("abc01/kordex$$.") + suffix);
    EXPECT_EQ(files.work, std::string("abc01/kordex!!.") + suffix);
    EXPECT_EQ(files.data, std::string("abc01/kordex.") + suffix);
  }
}

TEST_F(UncompressTest, MakesTheDataFileAndRemovesTheWorkFile) {
  // Random bytes give a stream full of the three removed byte values.
  const std::string data = testing::RandomBytes(400000, 31) + testing::SkewedBytes(400000, 32);
  const std::string received = MakeReceivedFile(data, {.resetAfterCodes = 5000, .widenAhead = 2});
  WriteFile(root / "abc01/kordex$$.061", received);
  WriteFile(root / "abc01/kordex.061", "an older data file");

  ASSERT_TRUE(Uncompress(61)) << ::testing::PrintToString(messages.texts());
  EXPECT_TRUE(messages.messages().empty());
  EXPECT_TRUE(ReadFile(root / "abc01/kordex.061") == data);
  EXPECT_FALSE(std::filesystem::exists(root / "abc01/kordex!!.061"));
  EXPECT_EQ(ReadFile(root / "abc01/kordex$$.061"), received);
}

TEST_F(UncompressTest, MissingReceivedFileIsNamedAndLeavesNoWorkFile) {
  EXPECT_FALSE(Uncompress(1));
  EXPECT_EQ(messages.messages(),
            (std::vector<RecordingMessagePort::Message>{{MessageStyle::Failure, "ไม่พบไฟล์ abc01/kordex$$.001"}}));
  EXPECT_FALSE(std::filesystem::exists(root / "abc01/kordex!!.001"));
}

TEST_F(UncompressTest, FailedDecodeKeepsTheOlderDataFileAndTheWorkFile) {
  WriteFile(root / "abc01/kordex$$.005", "000000000");
  WriteFile(root / "abc01/kordex.005", "an older data file");
  EXPECT_FALSE(Uncompress(5));
  EXPECT_EQ(messages.texts(), std::vector<std::string>{"Fatal error in InputBit!"});
  EXPECT_EQ(ReadFile(root / "abc01/kordex.005"), "an older data file");
  EXPECT_TRUE(std::filesystem::exists(root / "abc01/kordex!!.005"));
  EXPECT_FALSE(std::filesystem::exists(root / "abc01/kordex.005.part"));
}

TEST_F(UncompressTest, RefusedReceivedFileIsReportedOnce) {
  WriteFile(root / "abc01/kordex$$.005", "000000100short");
  EXPECT_FALSE(Uncompress(5));
  EXPECT_EQ(messages.texts(), std::vector<std::string>{
                                  "Received file abc01/kordex$$.005 is incomplete: 100 payload bytes announced, 5 present"});
  EXPECT_FALSE(std::filesystem::exists(root / "abc01/kordex.005"));
}

// Damage is the received file's fault; a missing file or an output that
// can't be made is not, and another try of the same file may work.
TEST_F(UncompressTest, SaysWhetherTheReceivedFileItselfWasDamaged) {
  const auto outcome = [&](std::string_view received, const char* data = "abc01/kordex.005") {
    WriteFile(root / "abc01/kordex$$.005", received);
    return UncompressReceivedFile(root.path(), {"abc01/kordex$$.005", "abc01/kordex!!.005", data}, messages);
  };
  EXPECT_TRUE(outcome("000000000").damaged);          // the stream ends before its end code
  EXPECT_TRUE(outcome("000000100short").damaged);     // shorter than announced
  EXPECT_TRUE(outcome("00000x000").damaged);          // a damaged length field
  EXPECT_FALSE(outcome(MakeReceivedFile("x"), "gone/kordex.005").damaged);
  std::filesystem::remove(root / "abc01/kordex$$.005");
  EXPECT_FALSE(UncompressReceivedFile(root.path(), "abc01", 5, messages).damaged);
  EXPECT_TRUE(outcome(MakeReceivedFile("x")).done);
}

TEST_F(UncompressTest, DataFileThatCannotBeCreatedIsNamed) {
  WriteFile(root / "abc01/kordex$$.005", MakeReceivedFile("x"));
  const UncompressFiles files{"abc01/kordex$$.005", "abc01/kordex!!.005", "gone/kordex.005"};
  EXPECT_FALSE(UncompressReceivedFile(root.path(), files, messages));
  EXPECT_EQ(messages.texts(), std::vector<std::string>{"Error opening gone/kordex.005 for output\n"});
}

}  // namespace
}  // namespace lumvex::lzw
