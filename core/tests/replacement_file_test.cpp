#include "core/replacement_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/testing/temp_dir.h"

namespace lumvex {
namespace {

using lumvex::testing::ReadFile;
using lumvex::testing::TempDir;
using lumvex::testing::WriteFile;

TEST(ReplacementFileTest, TheTargetChangesOnlyWhenTheNewVersionIsCommitted) {
  TempDir dir;
  const auto target = dir / "data";
  WriteFile(target, "old");
  {
    ReplacementFile file(target);
    ASSERT_TRUE(file.opened());
    ASSERT_TRUE(file.Write("new "));
    ASSERT_TRUE(file.Write("text"));
    EXPECT_EQ(ReadFile(target), "old");
    EXPECT_TRUE(std::filesystem::exists(dir / "data.part"));
    ASSERT_TRUE(file.Commit());
  }
  EXPECT_EQ(ReadFile(target), "new text");
  EXPECT_FALSE(std::filesystem::exists(dir / "data.part"));
}

TEST(ReplacementFileTest, AnAbandonedOrFailedVersionLeavesTheTargetAndNoPart) {
  TempDir dir;
  const auto target = dir / "data";
  WriteFile(target, "old");
  {
    ReplacementFile file(target);
    file.Write("half");
  }
  {
    ReplacementFile file(target);
    file.Write("bad");
    file.MarkFailed();
    EXPECT_FALSE(file.Commit());
  }
  EXPECT_EQ(ReadFile(target), "old");
  EXPECT_FALSE(std::filesystem::exists(dir / "data.part"));

  ReplacementFile nowhere(dir / "missing" / "data");
  EXPECT_FALSE(nowhere.opened());
  EXPECT_FALSE(nowhere.Write("x"));
  EXPECT_FALSE(nowhere.Commit());
}

TEST(ReplacementFileTest, AKeptVersionWaitsForItsInstall) {
  TempDir dir;
  const auto target = dir / "data";
  {
    ReplacementFile file(target);
    file.Write("staged");
    ASSERT_TRUE(file.Finish());
    file.Keep();
  }
  EXPECT_FALSE(std::filesystem::exists(target));
  ASSERT_TRUE(InstallPart(target));
  EXPECT_EQ(ReadFile(target), "staged");
}

}  // namespace
}  // namespace lumvex
