#include "lzw/uncompress_progress.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "core/recording_message_port.h"
#include "core/testing/temp_dir.h"
#include "lzw/received_file_packer.h"
#include "lzw/tests/lzw_test_streams.h"
#include "lzw/uncompress_received_file.h"

namespace lumvex::lzw {
namespace {

// The rule as the dialog states it, asked after every byte.
int StepsAskedEveryByte(std::uint64_t size, int& last) {
  int steps = 0;
  for (std::uint64_t position = 1; position <= size; ++position) {
    const auto value = static_cast<int>(40 * position / size);
    if (value != last && value != 1) {
      last = value;
      ++steps;
    }
  }
  return steps;
}

// The same through the hook, asked only where it wants to be.
int StepsThroughHook(std::uint64_t size, int& last) {
  int stepped = 0;
  UncompressProgress progress([&] { ++stepped; }, last);
  for (std::uint64_t position = 1; position <= size;) position = progress.Report(position, size);
  EXPECT_EQ(progress.steps(), stepped);
  return stepped;
}

TEST(UncompressProgressTest, AskingOnlyWhereTheValueChangesStepsAsAskingEveryByte) {
  for (const std::uint64_t size : {1u, 2u, 3u, 39u, 40u, 41u, 79u, 80u, 81u, 1000u, 123457u}) {
    for (const int start : {0, 1, 2, 17, 40}) {
      int everyByte = start;
      int hook = start;
      EXPECT_EQ(StepsAskedEveryByte(size, everyByte), StepsThroughHook(size, hook)) << size << " from " << start;
      EXPECT_EQ(everyByte, hook);
    }
  }
}

TEST(UncompressProgressTest, SecondRunStartsFromTheFirstRunsLastValue) {
  int last = 0;
  UncompressProgress first(nullptr, last);
  for (std::uint64_t p = 1; p <= 1000;) p = first.Report(p, 1000);
  EXPECT_EQ(first.steps(), 39);  // 0 is no change and 1 never steps
  EXPECT_EQ(first.RemainingSteps(), 11);
  EXPECT_EQ(last, 40);

  UncompressProgress second(nullptr, last);
  for (std::uint64_t p = 1; p <= 1000;) p = second.Report(p, 1000);
  EXPECT_EQ(second.steps(), 40);  // its first byte (value 0) is a change
  EXPECT_EQ(second.RemainingSteps(), 10);
}

TEST(UncompressProgressTest, TinyFileLeavesTheRestToTheFinishingSteps) {
  int last = 40;
  UncompressProgress progress(nullptr, last);
  for (std::uint64_t p = 1; p <= 2;) p = progress.Report(p, 2);
  EXPECT_EQ(progress.steps(), 2);  // values 20 and 40
  EXPECT_EQ(progress.RemainingSteps(), 48);
  EXPECT_EQ(kProgressSteps * kProgressBarStep, kProgressBarMaximum);
}

TEST(UncompressProgressTest, DrivenByARealUncompress) {
  lumvex::testing::TempDir root;
  std::filesystem::create_directory(root / "abc01");
  lumvex::testing::WriteFile(root / "abc01/kordex$$.007",
                             MakeReceivedFile(testing::SkewedBytes(200000, 41)));
  int last = 0;
  int stepped = 0;
  UncompressProgress progress([&] { ++stepped; }, last);
  RecordingMessagePort messages;
  ASSERT_TRUE(UncompressReceivedFile(root.path(), "abc01", 7, messages, progress.Hook()));
  EXPECT_EQ(stepped, 39);
  EXPECT_EQ(last, 40);
}

TEST(UncompressProgressTest, StatusTextNamesTheDataFile) {
  EXPECT_EQ(UncompressStatusText(1), "Please wait for Uncompress file kordex.001");
  EXPECT_EQ(UncompressStatusText(61), "Please wait for Uncompress file kordex.061");
}

}  // namespace
}  // namespace lumvex::lzw
