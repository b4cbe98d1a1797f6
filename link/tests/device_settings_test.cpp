#include "link/device_settings.h"

#include <gtest/gtest.h>

#include "core/recording_message_port.h"
#include "core/testing/temp_dir.h"
#include "core/text_format.h"

namespace lumvex::link {
namespace {

using lumvex::testing::ReadFile;
using lumvex::testing::TempDir;
using lumvex::testing::WriteFile;

std::string Record(const char* host, const char* port, const char* speed, const char* prefix, const char* number,
                   const char* end = "\n") {
  return Format("%-11s%s %s %-7s%-20sx%s", host, port, speed, prefix, number, end);
}

TEST(DeviceSettings, ReadsTheFiveWordsOfTheRecord) {
  const std::string record = Record("2050123456", "2", "1", "ATDT", "021234567");
  ASSERT_EQ(record.size(), 44u);
  const ConfigReadResult r = ParseDeviceSettings(record + "second line\n");
  ASSERT_TRUE(r.settings);
  EXPECT_EQ(r.settings->hostAddress, "2050123456");
  EXPECT_EQ(r.settings->portDigit, "2");
  EXPECT_EQ(r.settings->speedDigit, "1");
  EXPECT_EQ(r.settings->dialPrefix, "ATDT");
  EXPECT_EQ(r.settings->phoneNumber, "021234567");

  // An all-blank number leaves "x" as the fifth word.
  const ConfigReadResult blank = ParseDeviceSettings(Record("205", "1", "2", "ATDT", ""));
  ASSERT_TRUE(blank.settings);
  EXPECT_EQ(blank.settings->phoneNumber, "x");
}

TEST(DeviceSettings, TheNumberIsTheTextBeforeTheRecordsX) {
  struct Case {
    const char* number;
    const char* read;
  } cases[] = {
      {"12345678901234567890", "12345678901234567890"},  // all 20 columns: "x" right after it
      {"1234567890123456789", "1234567890123456789"},
      {"", "x"},  // no number: the "x" is the word, as the connect step has always read it
  };
  for (const Case& c : cases) {
    const ConfigReadResult r = ParseDeviceSettings(Record("2050123456", "1", "2", "ATDT", c.number));
    ASSERT_TRUE(r.settings) << c.number;
    EXPECT_EQ(r.settings->phoneNumber, c.read);
  }
  // The number Set device writes reads back the same.
  TempDir dir;
  WriteFile(dir / "config.dat", Record("2050123456", "1", "2", "ATDT", "021234567"));
  RecordingMessagePort messages;
  const auto read = ReadDeviceChoices(dir / "config.dat", messages);
  ASSERT_TRUE(read);
  ASSERT_EQ(WriteDeviceChanges(dir / "config.dat", *read, 1, 2, "12345678901234567890", messages),
            DeviceWrite::Written);
  const ConfigReadResult after = ReadDeviceSettings(dir / "config.dat");
  ASSERT_TRUE(after.settings);
  EXPECT_EQ(after.settings->phoneNumber, "12345678901234567890");
}

TEST(DeviceSettings, AWordTooLongForItsBufferOrAMissingWordIsABadRecord) {
  for (const std::string& text : {std::string("20501234567 1 1 ATDT 0212 x\n"), std::string("205 12 1 ATDT 0212 x\n"),
                                 std::string("205 1 1 ATDTATDT 0212 x\n"),
                                 std::string("205 1 1 ATDT 012345678901234567890 x\n"), std::string("205 1 1 ATDT"),
                                 std::string()}) {
    const ConfigReadResult r = ParseDeviceSettings(text);
    EXPECT_FALSE(r.settings) << text;
    EXPECT_EQ(r.error, ConfigError::BadRecord) << text;
  }
}

TEST(DeviceSettings, MapsTheDigitsToPortAndSpeedTexts) {
  EXPECT_EQ(PortText("1"), "COM1");
  EXPECT_EQ(PortText("4"), "COM4");
  EXPECT_EQ(PortText("5"), "");
  EXPECT_EQ(PortText("0"), "");
  EXPECT_EQ(SpeedText("1"), "9600");
  EXPECT_EQ(SpeedText("2"), "14400");
  EXPECT_EQ(SpeedText("3"), "");
}

TEST(DeviceSettings, TheDialogShowsTheNumberWithoutTrailingBlanks) {
  const DeviceChoices c = ParseDeviceChoices(Record("205", "3", "2", "ATDT", "1234"));
  EXPECT_EQ(c.portDigit, "3");
  EXPECT_EQ(c.speedDigit, "2");
  EXPECT_EQ(c.phoneNumber, "1234");
  EXPECT_EQ(ParseDeviceChoices(Record("205", "3", "2", "ATDT", "12345678901234567890")).phoneNumber,
            "12345678901234567890");
  EXPECT_EQ(ParseDeviceChoices(Record("205", "3", "2", "ATDT", "")).phoneNumber, " ");
  EXPECT_EQ(ParseDeviceChoices("short").phoneNumber, "");
}

struct ConfigFile {
  TempDir dir;
  std::filesystem::path path = dir / "config.dat";
  RecordingMessagePort messages;
};

TEST(DeviceSettings, RewritesOnlyTheColumnsThatChanged) {
  ConfigFile f;
  const std::string before = Record("2050123456", "1", "1", "ATDT", "021234567") + "tail\n";
  WriteFile(f.path, before);
  const auto read = ReadDeviceChoices(f.path, f.messages);
  ASSERT_TRUE(read);

  ASSERT_EQ(WriteDeviceChanges(f.path, *read, 1, 2, read->phoneNumber, f.messages), DeviceWrite::Written);
  std::string expected = before;
  expected[13] = '2';
  EXPECT_EQ(ReadFile(f.path), expected);

  ASSERT_EQ(WriteDeviceChanges(f.path, *read, 4, 1, "12345678901234567890", f.messages), DeviceWrite::Written);
  expected = Record("2050123456", "4", "2", "ATDT", "12345678901234567890") + "tail\n";
  // The speed choice 1 equals the digit read, so column 13 keeps its 2.
  EXPECT_EQ(ReadFile(f.path), expected);

  ASSERT_EQ(WriteDeviceChanges(f.path, *read, 1, 1, "99", f.messages), DeviceWrite::Written);
  EXPECT_EQ(ReadFile(f.path).substr(11, 33), Format("4 2 %-7s%-20sx\n", "ATDT", "99"));
  EXPECT_TRUE(f.messages.messages().empty());
}

TEST(DeviceSettings, KeepsACarriageReturnLineEnd) {
  ConfigFile f;
  WriteFile(f.path, Record("205", "1", "1", "ATDT", "0212", "\r\n"));
  const auto read = ReadDeviceChoices(f.path, f.messages);
  ASSERT_TRUE(read);
  ASSERT_EQ(WriteDeviceChanges(f.path, *read, 1, 1, "777", f.messages), DeviceWrite::Written);
  EXPECT_EQ(ReadFile(f.path), Record("205", "1", "1", "ATDT", "777", "\r\n"));
}

TEST(DeviceSettings, NeverCreatesTheFile) {
  ConfigFile f;
  EXPECT_FALSE(ReadDeviceChoices(f.path, f.messages));
  const DeviceChoices read{"1", "1", "0212"};
  // Nothing changed: the file is not even opened, so nothing is said.
  EXPECT_EQ(WriteDeviceChanges(f.path, read, 1, 1, "0212", f.messages), DeviceWrite::Unchanged);
  EXPECT_EQ(WriteDeviceChanges(f.path, read, 2, 1, "0212", f.messages), DeviceWrite::CantOpen);
  EXPECT_EQ(f.messages.texts(),
            (std::vector<std::string>{"Can't open file config.dat", "Can't open file config.dat"}));
  EXPECT_FALSE(std::filesystem::exists(f.path));
  EXPECT_EQ(WriteDeviceChanges(f.path, read, 1, 1, "123456789012345678901", f.messages), DeviceWrite::BadNumber);
}

}  // namespace
}  // namespace lumvex::link
