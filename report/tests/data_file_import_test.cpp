#include "report/data_file_import.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/recording_message_port.h"
#include "core/testing/temp_dir.h"
#include "report/testing/data_file_generator.h"

namespace lumvex::report {
namespace {

using lumvex::testing::ReadFile;
using lumvex::testing::TempDir;
using lumvex::testing::WriteFile;
namespace gen = lumvex::report::testing;

std::string Header(std::string code, std::string type = "KORDEX", std::string date = "05012000") {
  return gen::HeaderRecord({std::move(code), std::move(type), "COMPANY", std::move(date)});
}

class ImportTest : public ::testing::Test {
 protected:
  ImportTest() { std::filesystem::create_directories(dir / "store" / "ab12"); }

  std::filesystem::path Outside(std::string_view name, std::string_view bytes) {
    std::filesystem::create_directories(dir / "outside");
    const auto path = dir / "outside" / name;
    WriteFile(path, bytes);
    return path;
  }
  std::optional<ImportedFile> Copy(std::string_view bytes) {
    return CopyImportedFile(Outside("kordex.005", bytes), destination, "ab12", "kordex.005", messages);
  }

  TempDir dir;
  std::filesystem::path destination = dir / "store" / "ab12" / "kordex.005";
  RecordingMessagePort messages;
};

TEST_F(ImportTest, CopiesUpToTheFirstShortLineAndTakesTheDateFromTheHeader) {
  const std::string kept = gen::JoinLines({Header("AB12", "KORDEX", "31122000"), gen::ItemRecord({}),
                                           gen::TrailerRecord({})});
  const auto result = Copy(kept + "\r\n" + gen::JoinLines({gen::ItemRecord({})}));
  ASSERT_TRUE(result.has_value()) << ::testing::PrintToString(messages.texts());
  EXPECT_EQ(result->datePrepare, "31/12/2000");
  EXPECT_EQ(result->byteCount, kept.size());
  EXPECT_EQ(ReadFile(destination), kept);
  EXPECT_TRUE(messages.messages().empty());
  EXPECT_FALSE(std::filesystem::exists(destination.string() + ".import"));
}

TEST_F(ImportTest, TheLastHeaderGivesTheDatePrepareAndNoHeaderGivesTheUnknownDate) {
  const auto two = Copy(gen::JoinLines({Header("AB12"), gen::ItemRecord({}), Header("AB12", "KORDEX", "07022001")}));
  ASSERT_TRUE(two.has_value());
  EXPECT_EQ(two->datePrepare, "07/02/2001");

  const std::string items = gen::JoinLines({gen::ItemRecord({}), gen::ItemRecord({})});
  const auto none = Copy(items);
  ASSERT_TRUE(none.has_value());
  EXPECT_EQ(none->datePrepare, kUnknownDatePrepare);
  EXPECT_EQ(ReadFile(destination), items);
}

TEST_F(ImportTest, AShortHeaderGivesADatePrepareTheCatalogueCanHold) {
  const auto result = Copy(gen::JoinLines({Header("AB12").substr(0, 81) + ",9"}));
  ASSERT_TRUE(result.has_value());
  EXPECT_EQ(result->datePrepare, "05/ 9/");
}

TEST_F(ImportTest, RefusedHeadersLeaveNothingInTheStore) {
  const std::string codeRefusal = "Service code in file kordex.005 is not equal ab12";
  const std::string typeRefusal = "Service type not equal 'KORDEX'";
  struct Case {
    std::string header;
    std::string message;
  } cases[] = {
      {Header("AB12   X"), codeRefusal},
      {Header("ab12"), codeRefusal},
      {Header("AB123"), codeRefusal},
      {Header("AB12", "KORDEY"), typeRefusal},
      {"HAB12    KORD\r\n", typeRefusal},
  };
  for (const auto& c : cases) {
    messages.Clear();
    WriteFile(destination, "an older file of that name");
    // The refused header comes after an item that was already copied.
    EXPECT_FALSE(Copy(gen::JoinLines({gen::ItemRecord({}), c.header})).has_value()) << c.header;
    EXPECT_EQ(messages.messages(), (std::vector<RecordingMessagePort::Message>{{MessageStyle::Failure, c.message}}))
        << c.header;
    EXPECT_EQ(ReadFile(destination), "an older file of that name");
    EXPECT_FALSE(std::filesystem::exists(destination.string() + ".import"));
  }
}

TEST_F(ImportTest, FilesThatCannotBeOpenedAreNamed) {
  EXPECT_FALSE(CopyImportedFile(dir / "nothing", destination, "ab12", "nothing", messages));
  const auto chosen = Outside("kordex.005", gen::JoinLines({Header("AB12")}));
  const auto noDirectory = dir / "store" / "zz" / "kordex.005";
  EXPECT_FALSE(CopyImportedFile(chosen, noDirectory, "zz", "kordex.005", messages));
  EXPECT_EQ(messages.texts(), (std::vector<std::string>{"Can't open file " + (dir / "nothing").string(),
                                                        "Can't open file " + noDirectory.string()}));
}

}  // namespace
}  // namespace lumvex::report
