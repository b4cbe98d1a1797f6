#pragma once

#include <QString>

#include "report/print_page.h"

// Where the parts of a report page go, for every output that draws one.
namespace lumvex::print {

// In device units of a printable area `width` x `height`, text lines
// `lineHeight` apart; every position is the top of its line.
struct ReportPageLayout {
  int width = 0;
  int height = 0;
  int lineHeight = 0;

  int Right() const { return width - 1; }
  int Bottom() const { return height - 1; }
  int TitleTop() const { return 0; }
  int BodyLineTop(int k) const { return (k + report::kPrintBodyFirstRow - 1) * lineHeight; }  // k from 1
  int UpperRuleY() const { return report::kPrintUpperRuleY; }
  int LowerRuleY() const { return Bottom() - report::kPrintLowerRuleFromBottom; }
  int FooterTop() const { return Bottom() - report::kPrintFooterFromBottom; }
};

// Calls `word(column, text)` for each run of non-blank characters of `line`:
// blanks are left out, and marks above and below a letter take no column.
template <typename WordFunction>
void ForEachWord(const QString &line, WordFunction &&word) {
  int column = 0;
  qsizetype start = -1;
  int startColumn = 0;
  for (qsizetype i = 0; i <= line.size(); ++i) {
    const bool blank = i == line.size() || line[i] == QLatin1Char(' ');
    if (blank && start >= 0) {
      word(startColumn, line.mid(start, i - start));
      start = -1;
    } else if (!blank && start < 0) {
      start = i;
      startColumn = column;
    }
    if (i < line.size() && line[i].category() != QChar::Mark_NonSpacing) ++column;
  }
}

}  // namespace lumvex::print
