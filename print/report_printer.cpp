#include "print/report_printer.h"

#include <QFontMetrics>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <cmath>

#include "report/report_generator.h"
#include "print/thai_text.h"

namespace lumvex::print {
namespace {

constexpr int kPointSize = 10;
constexpr int kColumns = static_cast<int>(report::kReportLineWidth);

void DrawLine(QPainter& painter, int y, int lineHeight, const QRect& page, const QString& text) {
  painter.drawText(QRect(0, y, page.width(), lineHeight), Qt::AlignLeft | Qt::AlignTop, text);
}

}  // namespace

void PrepareReportPrinter(QPrinter& printer) {
  printer.setResolution(kReportResolution);
  printer.setFullPage(false);
}

QFont ReportFont(const QPaintDevice& device, int pageWidth) {
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

void DrawReportPage(QPainter& painter, const QRect& page, const report::PrintPage& content) {
  const QFont font = ReportFont(*painter.device(), page.width());
  painter.setFont(font);
  const int lineHeight = QFontMetrics(font, painter.device()).lineSpacing();
  painter.drawLine(0, report::kPrintUpperRuleY, page.right(), report::kPrintUpperRuleY);
  const int lowerRule = page.bottom() - report::kPrintLowerRuleFromBottom;
  painter.drawLine(0, lowerRule, page.right(), lowerRule);
  DrawLine(painter, 0, lineHeight, page, ui::FromTis620(content.title));
  for (std::size_t k = 1; k <= content.lines.size(); ++k) {
    DrawLine(painter, (static_cast<int>(k) + 3) * lineHeight, lineHeight, page, ui::FromTis620(content.lines[k - 1]));
  }
  DrawLine(painter, page.bottom() - report::kPrintFooterFromBottom, lineHeight, page, ui::FromTis620(content.footer));
}

bool PrintReport(QPrinter& printer, const std::filesystem::path& printFile, int lastPage, std::string_view fileName,
                 MessagePort& messages) {
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
