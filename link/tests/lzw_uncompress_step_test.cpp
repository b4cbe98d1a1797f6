#include "link/lzw_uncompress_step.h"

#include <gtest/gtest.h>

#include "link/download_transaction.h"
#include "link/tests/link_fixture.h"
#include "link/tests/reply_builders.h"
#include "lzw/received_file_packer.h"

namespace lumvex::link {
namespace {

using lumvex::testing::ReadFile;
using namespace lumvex::link::testing;

// Bill-payment-like lines with the byte values the sender must replace.
std::string DataFile() {
  std::string data;
  for (int i = 0; i < 200; ++i) data += Format("I%06d customer %c\x03\x13 amount %09d\r\n", i, 'A' + i % 26, i * 37);
  return data;
}

class LzwStepTest : public ::testing::Test, public LinkFixture {
 protected:
  LzwStepTest() { std::filesystem::create_directory(root / "abc01"); }
  void Serve(const std::string& image) {
    for (std::size_t b = 0; b * kBlockSize < image.size(); ++b)
      pad.QueueReply(DataBlock(static_cast<int>(b + 1), image.substr(b * kBlockSize, kBlockSize)));
    pad.QueueReply(EndReply(static_cast<long>(image.size())));
  }

  FixedClock clock{LocalTime{2001, 6, 15, 10, 20, 30}};
  LzwUncompressStep uncompress{root.path()};
  LinkControl link = Link(LinkCopy::Download);
  DownloadTransaction download{link, messages, pacer, clock, uncompress, root.path()};
  DownloadEntries entries{"abc01", "123456", "654321", "05012001"};
};

TEST_F(LzwStepTest, ADownloadEndsWithTheDecodedDataFile) {
  const std::string data = DataFile();
  Serve(lzw::MakeReceivedFile(data));
  ASSERT_EQ(download.Transfer(entries), 1) << ::testing::PrintToString(messages.texts());
  EXPECT_EQ(ReadFile(root / "abc01/kordex.005"), data);
  EXPECT_EQ(download.fileSizeText(), std::to_string(data.size()));
  EXPECT_FALSE(std::filesystem::exists(root / "abc01/kordex!!.005"));
}

TEST_F(LzwStepTest, ADamagedStreamFailsTheDownloadAndKeepsTheOlderDataFile) {
  lumvex::testing::WriteFile(root / "abc01/kordex.005", "older data");
  std::string image = lzw::MakeReceivedFile(DataFile());
  image.resize(image.size() / 2);
  image.replace(0, 9, Format("%9zu", image.size() - 9));  // a whole but truncated stream
  Serve(image);
  EXPECT_EQ(download.Transfer(entries), 0);
  ASSERT_EQ(messages.texts().size(), 1u);
  EXPECT_NE(messages.texts()[0], "Download Completed ...");
  EXPECT_EQ(ReadFile(root / "abc01/kordex.005"), "older data");
}

}  // namespace
}  // namespace lumvex::link
