#include "print/report_printer.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <cmath>

#include "print/report_page_layout.h"
#include "print/thai_text.h"
#include "report/report_generator.h"

namespace lumvex::print {
namespace {

constexpr int kPointSize = 10;
constexpr int kColumns = static_cast<int>(report::kReportLineWidth);

// Word by word at their columns: blanks cost nothing on paper, where most
// of a report's 131 columns are blank.
void DrawLine(QPainter &painter, const QFontMetricsF &metrics, int top, const QString &text) {
  const qreal advance = metrics.horizontalAdvance(QLatin1Char('M'));
  const qreal baseline = top + metrics.ascent();
  ForEachWord(text,
              [&](int column, const QString &word) { painter.drawText(QPointF(column * advance, baseline), word); });
}

}  // namespace

void PrepareReportPrinter(QPrinter &printer) {
  printer.setResolution(kReportResolution);
  printer.setFullPage(false);
}

QFont ReportFont(const QPaintDevice &device, int pageWidth) {
  static const bool substituted = [] {
    QFont::insertSubstitution(QStringLiteral("Morvane98"), QStringLiteral("Tlwg Typo"));
    return true;
  }();
  (void)substituted;
  QFont font(QStringLiteral("Morvane98"));
  font.setStyleHint(QFont::Monospace);
  font.setPixelSize(static_cast<int>(std::lround(kPointSize * device.logicalDpiY() / 72.0)));
  font.setWeight(QFont::Normal);
  const int wide = QFontMetrics(font, &device).horizontalAdvance(QString(kColumns, QLatin1Char('M')));
  if (wide > pageWidth && wide > 0) font.setStretch(std::max(50, 100 * pageWidth / wide));
  return font;
}

ReportPageLayout LayOutPage(const QPaintDevice &device, const QRect &page, const QFont &font) {
  return {page.width(), page.height(), QFontMetrics(font, &device).lineSpacing()};
}

void DrawReportPage(QPainter &painter, const QRect &page, const report::PrintPage &content) {
  const QFont font = ReportFont(*painter.device(), page.width());
  painter.setFont(font);
  const ReportPageLayout layout = LayOutPage(*painter.device(), page, font);
  painter.drawLine(0, layout.UpperRuleY(), layout.Right(), layout.UpperRuleY());
  painter.drawLine(0, layout.LowerRuleY(), layout.Right(), layout.LowerRuleY());
  const QFontMetricsF metrics(font, painter.device());
  DrawLine(painter, metrics, layout.TitleTop(), ui::FromTis620(content.title));
  for (std::size_t k = 1; k <= content.lines.size(); ++k) {
    DrawLine(painter, metrics, layout.BodyLineTop(static_cast<int>(k)), ui::FromTis620(content.lines[k - 1]));
  }
  DrawLine(painter, metrics, layout.FooterTop(), ui::FromTis620(content.footer));
}

bool PrintReport(QPrinter &printer, const std::filesystem::path &printFile, int lastPage, std::string_view fileName,
                 MessagePort &messages) {
  int first = printer.fromPage() > 0 ? printer.fromPage() : 1;
  int last = printer.toPage() > 0 ? std::min(printer.toPage(), lastPage) : lastPage;
  if (last < first) first = last = std::max(lastPage, 1);
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  const QRect page(QPoint(0, 0), printer.pageRect(QPrinter::DevicePixel).size().toSize());
  for (int p = first; p <= last; ++p) {
    if (p > first) printer.newPage();
    const auto content = report::ReadPrintPage(printFile, p, lastPage, fileName, messages);
    if (content) DrawReportPage(painter, page, *content);
  }
  return painter.end();
}

}  // namespace lumvex::print
