// The work file written from a received file: bytes put back, damaged
// received files refused.
#include "lzw/received_file_restore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/testing/temp_dir.h"
#include "lzw/received_file_packer.h"
#include "lzw/tests/lzw_test_streams.h"

namespace lumvex::lzw {
namespace {

using lumvex::testing::ReadFile;
using lumvex::testing::WriteFile;

class RestoreTest : public ::testing::Test {
 protected:
  RestoreResult Restore(const std::string& received) {
    WriteFile(dir / "r", received);
    return RestoreReceivedFile("r", "w", dir.path());
  }
  std::string Work() const { return ReadFile(dir / "w"); }

  lumvex::testing::TempDir dir;
};

TEST_F(RestoreTest, RecordsOfEachKindPutTheirByteBack) {
  const RestoreResult result = Restore(std::string("000000008") + "ABCDEFGH" +
                                       "1000000005"    // 0x03 at the fifth byte
                                       "2000000001"    // 0x13 at the first
                                       "0000000008"    // 0x00 at the last
                                       "9000000003"    // unknown kind: nothing
                                       "x\x01garbage"  // unknown kind, whatever its digits
                                       "20000");       // not a whole record: nothing
  ASSERT_TRUE(result.ok) << result.failureText;
  EXPECT_EQ(Work(), std::string("\x13" "BCD\x03" "FG\x00", 8));
}

TEST_F(RestoreTest, LengthFieldMayHaveBlanksAroundItsDigits) {
  ASSERT_TRUE(Restore("   3     xyz").ok);
  EXPECT_EQ(Work(), "xyz");
}

TEST_F(RestoreTest, BytesComeBackInAnyRecordOrder) {
  // Over several windows of the copy, with the records reversed.
  const std::string stream = testing::RandomBytes(3 << 20, 21);
  const std::string packed = PackReceivedFile(stream);
  const std::size_t recordsStart = 9 + stream.size();
  std::vector<std::string> records;
  for (std::size_t at = recordsStart; at < packed.size(); at += 10) records.push_back(packed.substr(at, 10));
  ASSERT_GT(records.size(), 1000u);
  std::reverse(records.begin(), records.end());
  std::string reversed = packed.substr(0, recordsStart);
  for (const auto& r : records) reversed += r;

  ASSERT_TRUE(Restore(packed).ok);
  EXPECT_TRUE(Work() == stream);
  ASSERT_TRUE(Restore(reversed).ok);
  EXPECT_TRUE(Work() == stream);
}

struct Refusal {
  const char* name;
  std::string received;
  std::string failure;
};

void PrintTo(const Refusal& c, std::ostream* os) { *os << c.name; }

class RefusalTest : public RestoreTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(RefusalTest, RefusesWithAClearText) {
  const RestoreResult result = Restore(GetParam().received);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.failureText, GetParam().failure);
}

INSTANTIATE_TEST_SUITE_P(
    ReceivedFiles, RefusalTest,
    ::testing::Values(
        Refusal{"too_short_for_the_length", "0000", "Received file r is too short to hold its payload length"},
        Refusal{"length_with_a_letter", "00000a003abc", "Received file r has a damaged payload length"},
        Refusal{"length_without_digits", "         ", "Received file r has a damaged payload length"},
        Refusal{"negative_length", "-00000003abc", "Received file r has a damaged payload length"},
        Refusal{"payload_shorter_than_its_length", "000000010abcd",
                "Received file r is incomplete: 10 payload bytes announced, 4 present"},
        Refusal{"position_beyond_the_payload", "000000003abc1000000004",
                "Received file r has a restore record at offset 12 that points outside its payload"},
        Refusal{"position_zero", "000000003abc9000000000" "0000000000",
                "Received file r has a restore record at offset 22 that points outside its payload"},
        Refusal{"position_not_a_number", "000000003abc10000x0001",
                "Received file r has a damaged restore record at offset 12"}),
    [](const ::testing::TestParamInfo<Refusal>& p) { return std::string(p.param.name); });

TEST_F(RestoreTest, MissingFilesAreNamedAsGiven) {
  RestoreResult result = RestoreReceivedFile("nothing", "w", dir.path());
  EXPECT_EQ(result.failureText, "ไม่พบไฟล์ nothing");
  EXPECT_FALSE(std::filesystem::exists(dir / "w"));

  WriteFile(dir / "r", "000000000");
  result = RestoreReceivedFile("r", "no-dir/w", dir.path());
  EXPECT_EQ(result.failureText, "ไม่พบไฟล์ no-dir/w");
}

}  // namespace
}  // namespace lumvex::lzw
