#include "app/device_command.h"

#include "app/tests/app_fixture.h"

namespace lumvex::app {
namespace {

using namespace lumvex::app::testing;

constexpr const char* kRecord = "2050123456 1 1 ATDT   021234567           x\n";

class DeviceCommandTest : public AppTest {};

TEST_F(DeviceCommandTest, ReadsTheChoicesAndRewritesOnlyWhatChanged) {
  WriteFile(root / "config.dat", kRecord);
  const auto read = ReadDeviceSettings(workspace);
  ASSERT_TRUE(read);
  DeviceChoice choice = ChoiceOf(*read);
  EXPECT_EQ(choice.port, 1);
  EXPECT_EQ(choice.speed, 1);
  EXPECT_EQ(choice.phoneNumber, "021234567");

  EXPECT_EQ(ApplyDeviceSettings(workspace, *read, choice), Outcome::Done);
  EXPECT_EQ(ReadFile(root / "config.dat"), kRecord);
  choice.speed = 2;
  EXPECT_EQ(ApplyDeviceSettings(workspace, *read, choice), Outcome::Done);
  EXPECT_EQ(ReadFile(root / "config.dat"), "2050123456 1 2 ATDT   021234567           x\n");
  ShowSetDeviceComplete(workspace);
  EXPECT_EQ(messages.texts(), Strings{"Set Device Complete ..."});
}

TEST_F(DeviceCommandTest, AMissingFileIsReportedAndNeverMade) {
  EXPECT_FALSE(ReadDeviceSettings(workspace));
  EXPECT_EQ(ApplyDeviceSettings(workspace, {"1", "1", "0"}, {2, 1, "0"}), Outcome::Failed);
  EXPECT_EQ(messages.texts(), (Strings{"Can't open file config.dat", "Can't open file config.dat"}));
  EXPECT_FALSE(Exists("config.dat"));
}

TEST_F(DeviceCommandTest, ADigitOutsideTheButtonsIsLeftAlone) {
  const std::string odd = "2050123456 x 7 ATDT   021234567           x\n";
  WriteFile(root / "config.dat", odd);
  const auto read = ReadDeviceSettings(workspace);
  ASSERT_TRUE(read);
  EXPECT_EQ(ApplyDeviceSettings(workspace, *read, ChoiceOf(*read)), Outcome::Done);
  EXPECT_EQ(ReadFile(root / "config.dat"), odd);
  EXPECT_EQ(ApplyDeviceSettings(workspace, *read, {1, 0, "021234567"}), Outcome::Done);
  EXPECT_EQ(ReadFile(root / "config.dat"), "2050123456 1 7 ATDT   021234567           x\n");
}

TEST_F(DeviceCommandTest, ANumberBeyondTwentyCharactersIsRefused) {
  WriteFile(root / "config.dat", kRecord);
  const auto read = ReadDeviceSettings(workspace);
  ASSERT_TRUE(read);
  EXPECT_EQ(ApplyDeviceSettings(workspace, *read, {1, 1, std::string(21, '9')}), Outcome::Refused);
  EXPECT_EQ(ReadFile(root / "config.dat"), kRecord);
}

}  // namespace
}  // namespace lumvex::app
