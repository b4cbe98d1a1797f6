#include "lzw/received_file_packer.h"

#include <gtest/gtest.h>

#include <string>

#include "lzw/lzw_decoder.h"

namespace lumvex::lzw {
namespace {

TEST(PackReceivedFileTest, ReplacesTheThreeBytesAndListsThemInOrder) {
  const std::string stream("A\x00" "B\x03\x13" "C", 6);
  EXPECT_EQ(PackReceivedFile(stream), std::string("000000006") + "A B  C" + "0000000002" + "1000000004" +
                                          "2000000005");
  EXPECT_EQ(PackReceivedFile(""), "000000000");
}

TEST(PackReceivedFileTest, MakeReceivedFilePacksTheEncodedData) {
  const std::string data = "KORDEX  records\r\n";
  EXPECT_EQ(MakeReceivedFile(data), PackReceivedFile(EncodeLzw(data)));
}

}  // namespace
}  // namespace lumvex::lzw
