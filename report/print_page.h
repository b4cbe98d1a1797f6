#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/message_port.h"

// What one printed page of the report shows, read from prnrep.txt the way
// printing reads it, so that the window's printing code only draws.
namespace lumvex::report {

// Body lines drawn on a page, and the first row (in line heights) they go to.
inline constexpr int kPrintedBodyLines = 52;
inline constexpr int kPrintBodyFirstRow = 4;
// Where the rules and the footer go, in device units from the page's top and bottom.
inline constexpr int kPrintUpperRuleY = 130;
inline constexpr int kPrintLowerRuleFromBottom = 150;
inline constexpr int kPrintFooterFromBottom = 125;

// "ระบบงาน Download Bill Payment", 65 spaces, "ORQ", in TIS-620 bytes; drawn at (0, 0).
std::string PrintTitle();

// "File Name is %s %85sPage %d of %d".
std::string PrintFooter(std::string_view fileName, int page, int lastPage);

struct PrintPage {
  // Body line k (1-based) is lines[k - 1], drawn at (0, (k + 3) x line height);
  // at most 52 lines of 131 characters at most, TIS-620 bytes, no line ends.
  std::vector<std::string> lines;
  std::string title;
  std::string footer;
};

// Page `page` (1-based) of prnrep.txt: from byte (page - 1) * 7,980, lines of
// at most 133 characters cut at 131, the first 52 of the block kept. A page
// past the end has no body lines. When the file can't be opened the message
// "Can't open file prnrep.txt" is shown and nothing comes back: the page
// stays without title, rules and footer.
std::optional<PrintPage> ReadPrintPage(const std::filesystem::path& printFile, int page, int lastPage,
                                       std::string_view fileName, MessagePort& messages);

// The same page of prnrep.txt text already in memory.
PrintPage ReadPrintPageText(std::string_view printText, int page, int lastPage, std::string_view fileName);

}  // namespace lumvex::report
