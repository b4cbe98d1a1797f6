#include "pad/port_settings.h"

#include <stdlib.h>

#include <gtest/gtest.h>

namespace lumvex::pad {
namespace {

TEST(ParsePortSettings, TakesTheClientsTextsAndRefusesOthers) {
  const auto fast = ParsePortSettings("14400", "n", "8", "1");
  ASSERT_TRUE(fast);
  EXPECT_EQ(fast->speed, B19200);  // termios has no 14400
  EXPECT_EQ(ParsePortSettings("9600", "N", "8", "1")->speed, B9600);
  EXPECT_EQ(ParsePortSettings("9600", "e", "7", "2")->parity, 'e');
  EXPECT_FALSE(ParsePortSettings("14401", "n", "8", "1"));
  EXPECT_FALSE(ParsePortSettings("9600", "m", "8", "1"));
  EXPECT_FALSE(ParsePortSettings("9600", "n", "9", "1"));
  EXPECT_FALSE(ParsePortSettings("9600", "n", "8", "3"));
  EXPECT_FALSE(ParsePortSettings(nullptr, "n", "8", "1"));
}

TEST(ResolveDevice, MapsComPortsThroughTheEnvironment) {
  ::unsetenv("PADX25_COM1");
  EXPECT_EQ(ResolveDevice("COM1"), "/dev/ttyS0");
  EXPECT_EQ(ResolveDevice("COM4"), "/dev/ttyS3");
  ::setenv("PADX25_COM4", "tcp:localhost:2323", 1);
  EXPECT_EQ(ResolveDevice("COM4"), "tcp:localhost:2323");
  ::unsetenv("PADX25_COM4");
  EXPECT_EQ(ResolveDevice("/dev/ttyUSB0"), "/dev/ttyUSB0");
  EXPECT_FALSE(ResolveDevice("COM0"));
  EXPECT_FALSE(ResolveDevice(""));
  EXPECT_FALSE(ResolveDevice(nullptr));
}

}  // namespace
}  // namespace lumvex::pad
