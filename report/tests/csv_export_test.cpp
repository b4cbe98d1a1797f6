// The CSV of payment items: what a spreadsheet reads back, whatever the file holds.
#include "report/csv_export.h"

#include <gtest/gtest.h>

#include <string>

namespace lumvex::report {
namespace {

std::string Item(std::string_view date, std::string_view name) {
  std::string line(200, ' ');
  line[0] = 'I';
  line.replace(39, 8, date);
  line.replace(47, 6, "080000");
  line.replace(53, name.size(), name);
  line.replace(182, 13, "0000000012345");
  return line;
}

std::size_t Cells(const std::string& row) {
  std::size_t cells = 1;
  bool quoted = false;
  for (char c : row) {
    if (c == '"') quoted = !quoted;
    if (c == ',' && !quoted) ++cells;
  }
  return cells;
}

TEST(CsvExportTest, EveryRowHasElevenCellsInUtf8WhateverItsFieldsHold) {
  // No H record before it: the company cell is empty and still a cell.
  const std::string csv =
      PaymentsCsvText(Item("05012000", "\xca\xc1\xb4\xd5") + "\r\n" + Item("\xff\xff/1,\"20", "\xa1,\"\xa2") + "\r\n");
  ASSERT_TRUE(csv.starts_with(kCsvHeader));
  const std::string rows = csv.substr(kCsvHeader.size());
  const std::string first = rows.substr(0, rows.find("\r\n"));
  const std::string second = rows.substr(first.size() + 2, rows.size() - first.size() - 4);
  EXPECT_EQ(first, ",05/01/2000,08:00:00,,\xe0\xb8\xaa\xe0\xb8\xa1\xe0\xb8\x94\xe0\xb8\xb5,,,,,123.45,");
  EXPECT_EQ(Cells(first), 11u);
  EXPECT_EQ(Cells(second), 11u);
  EXPECT_EQ(second.substr(0, 8), ",\"\xef\xbf\xbd\xef\xbf\xbd") << "unassigned bytes become U+FFFD";
}

}  // namespace
}  // namespace lumvex::report
