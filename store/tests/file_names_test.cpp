#include <gtest/gtest.h>

#include "store/file_names.h"

namespace lumvex::store {
namespace {

TEST(DayOfYearTest, CountsDaysWithLeapYears) {
  struct Case {
    const char* date;
    int day;
  };
  const Case cases[] = {
      {"01012000", 1},   {"05012000", 5},   {"01032000", 61}, {"01032001", 60}, {"29022000", 60},
      {"31122000", 366}, {"31122001", 365}, {"01031900", 60}, {"01032400", 61}, {"15062023", 166},
  };
  for (const auto& c : cases) EXPECT_EQ(DayOfYear(c.date), c.day) << c.date;
}

TEST(DayOfYearTest, RejectsTextsThatAreNotDates) {
  for (const char* bad : {"", "0101200", "01132000", "01002000", "ab012000"}) EXPECT_EQ(DayOfYear(bad), 0) << bad;
}

TEST(FileNamesTest, NamesOfOneDownload) {
  EXPECT_EQ(ReceivedFileName("abc01", 5), "abc01/kordex$$.005");
  EXPECT_EQ(WorkFileName("abc01", 61), "abc01/kordex!!.061");
  EXPECT_EQ(DataFileName("abc01", 366), "abc01/kordex.366");
  EXPECT_EQ(DataFileEntryName(5), "kordex.005");
  EXPECT_EQ(StoredFilePath("abc01", "kordex.005"), "abc01/kordex.005");
}

TEST(FileNamesTest, ReceivedFileOfAFileName) {
  EXPECT_EQ(ReceivedFileOfName("abc01", "kordex.005"), "abc01/kordex$$.005");
  EXPECT_EQ(ReceivedFileOfName("abc01", "kordex.x1"), "abc01/kordex$$.x1");
  EXPECT_EQ(ReceivedFileOfName("abc01", "kordex.12345"), "abc01/kordex$$.123");
  EXPECT_EQ(ReceivedFileOfName("abc01", "kor"), "abc01/kor$$.");
}

TEST(FileNamesTest, DateTexts) {
  EXPECT_EQ(DatePrepare("05012000"), "05/01/2000");
  EXPECT_EQ(DatePrepare("0501"), "05/01/");
  EXPECT_EQ(DateRetrieve(LocalTime{2001, 1, 6, 10, 0, 0}), "06/01/2001");
}

TEST(FileNamesTest, OnlyNamesThatStayInsideTheStoreAreSafe) {
  for (const char* ok : {"abc01", "a.b", "...", "x"}) EXPECT_TRUE(IsSafeServiceCodeName(ok)) << ok;
  for (const char* bad : {"", ".", "..", "a/b", "a\\b", "/"}) EXPECT_FALSE(IsSafeServiceCodeName(bad)) << bad;
}

TEST(FileNamesTest, OnlyNamesThatReadBackFromTheCatalogueAreStorable) {
  for (const char* ok : {"abc01", "a.b", "x", "12345678"}) EXPECT_TRUE(IsStorableServiceCodeName(ok)) << ok;
  for (const char* bad : {"", "..", "a/b", "two words", "tab\there", "a,b", "it's", "deleted", "toolong12"})
    EXPECT_FALSE(IsStorableServiceCodeName(bad)) << bad;
  EXPECT_EQ(ServiceCodeNameRefusal("a b"),
            "'a b' cannot be a Service Code: use 1 to 8 characters without spaces, commas, apostrophes, "
            "\"/\" or \"\\\", other than \".\", \"..\" and \"deleted\".");
}

}  // namespace
}  // namespace lumvex::store
