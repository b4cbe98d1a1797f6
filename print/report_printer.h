#pragma once

#include <QFont>
#include <QRect>
#include <filesystem>
#include <string_view>

#include "core/message_port.h"
#include "print/report_page_layout.h"
#include "report/print_page.h"

class QPainter;
class QPaintDevice;
class QPrinter;

// The pages of the report on paper, in the preview and in PDF files: one
// drawing for all three.
namespace lumvex::print {

// Device units of the layout: the rules and the footer stand this many
// units from the page's edges, which at 300 dpi keeps them clear of the
// title and of the last body line on A4 and Letter alike.
inline constexpr int kReportResolution = 300;

// 300 dpi, portrait unless a page setup chose otherwise, a clear page.
void PrepareReportPrinter(QPrinter& printer);

// "Morvane98" (a Thai monospace font) 10 points high on `device`, narrowed
// so that 131 columns fit in `pageWidth`: a line is never cut at the edge.
QFont ReportFont(const QPaintDevice& device, int pageWidth);

// The page's layout on `device` with the report font.
ReportPageLayout LayOutPage(const QPaintDevice& device, const QRect& page, const QFont& font);

// One page: the title at the top, the upper rule at 130, body line k at
// (k + 3) line heights, the lower rule 150 and the footer 125 units above
// the bottom of `page`.
void DrawReportPage(QPainter& painter, const QRect& page, const report::PrintPage& content);

// Prints pages 1 to `lastPage` of prnrep.txt (or the printer's range) with
// `fileName` in the footer. A page that can't be read stays blank, after its
// message. False when the printer could not be started.
bool PrintReport(QPrinter& printer, const std::filesystem::path& printFile, int lastPage, std::string_view fileName,
                 MessagePort& messages);

}  // namespace lumvex::print
