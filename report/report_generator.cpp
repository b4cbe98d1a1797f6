#include "report/report_generator.h"

#include <stdio.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <utility>

#include "core/in_directory.h"
#include "core/replacement_file.h"
#include "core/text_format.h"
#include "report/block_writer.h"
#include "report/data_line_reader.h"
#include "report/report_format.h"
#include "store/file_names.h"

namespace lumvex::report {
namespace {

namespace fs = std::filesystem;

int lastPageNumber = 0;

constexpr std::string_view kColumnTitles =
    "PAY.TIME        CUST.NO.             CUST.NAME          PAY.DATE         REF. NO.       FR BR.       AMOUNT    "
    "BY  CHQ.NO. BC.";
constexpr std::string_view kNoText = "";  // an empty line, pointing at a real (empty) text
constexpr int kHeaderLines = 7;
constexpr int kItemBreak = 48;    // from here an item starts a new page: 41 items a page
constexpr int kTotalsBreak = 29;  // from here the totals block starts a new page
constexpr int kTotalsLines = 19;

// A report line being built; every piece is bounded, so it never fills.
class LineBuilder {
 public:
  // printf's "%.Ns": at most N bytes.
  void Cut(std::string_view text, std::size_t n) {
    text = text.substr(0, n);
    if (!text.empty()) std::memcpy(end_, text.data(), text.size());
    end_ += text.size();
  }
  // printf's "%2.2s".
  void Two(std::string_view text) {
    text = text.substr(0, 2);
    if (text.size() < 2) Spaces(2 - text.size());
    Cut(text, 2);
  }
  void Spaces(std::size_t n) {
    std::memset(end_, ' ', n);
    end_ += n;
  }
  void Put(char c) { *end_++ = c; }
  void Amount(std::string_view digits, std::size_t n) {
    char* start = end_;
    end_ = std::min(FormatAmountTo(end_, digits), start + n);
  }
  void NameCell(std::string_view item) { end_ = FitNameColumnTo(end_, item); }
  std::string_view text() const { return std::string_view(data_, static_cast<std::size_t>(end_ - data_)); }

 private:
  char data_[256];
  char* end_ = data_;
};

struct Company {
  std::string serviceCode;
  std::string name;
  std::string date;  // DDMMYYYY
};

struct ChannelTotal {
  long count = 0;
  double amount = 0;
};

// One run of the report: the open files and the state of the listing.
class ReportRun {
 public:
  ReportRun(BlockWriter* view, BlockWriter& print, MessagePort& messages, const Clock& clock)
      : view_(view), print_(print), messages_(messages), clock_(clock) {
    line_.reserve(kReportLineWidth + 32);
  }

  void Line(std::string_view body) {
    const char kind = body.empty() ? '\0' : body[0];
    if (kind == 'H') HeaderRecord(body);
    if (kind == 'I') ItemRecord(body);
    if (kind == 'T') TrailerRecord(body);
  }

  void WritePageHeader(int page);
  void WriteReportLine(std::string_view text);
  void FillPage(int count);

 private:
  void HeaderRecord(std::string_view body);
  void ItemRecord(std::string_view body);
  void TrailerRecord(std::string_view body);
  void BreakPage();
  void RebuildHeaderCache(const LocalTime& now);
  void TotalLine(std::string_view label, const ChannelTotal& total);
  void TrailerLine(std::string_view label, std::string_view gap, std::string_view amount);

  BlockWriter* view_;
  BlockWriter& print_;
  MessagePort& messages_;
  const Clock& clock_;
  int page_ = 1;
  int lineCounter_ = 0;
  std::array<ChannelTotal, kChannelLines> totals_{};
  Company company_;
  bool timeMissingShown_ = false;
  // The header lines of the current company on the current day.
  struct HeaderCache {
    LocalTime day;
    std::string firstLine;  // up to the page number
    std::string companyLine;
  };
  std::optional<HeaderCache> headerCache_;
  std::string line_;
};

void ReportRun::WriteReportLine(std::string_view text) {
  char* line = print_.Extend(kReportLineBytes);
  const std::size_t n = std::min(text.size(), kReportLineWidth);
  if (n > 0) std::memcpy(line, text.data(), n);
  std::memset(line + n, ' ', kReportLineWidth - n);
  line[kReportLineWidth] = '\r';
  line[kReportLineWidth + 1] = '\n';
  if (view_ != nullptr) view_->Write(std::string_view(line, kReportLineBytes));
}

void ReportRun::FillPage(int count) {
  static const std::string blank = std::string(kReportLineWidth, ' ') + "\r\n";
  for (; count < kPageLines; ++count) print_.Write(blank);
}

void ReportRun::WritePageHeader(int page) {
  lastPageNumber = page;
  const auto now = clock_.Now();
  if (!now) {
    if (!timeMissingShown_) messages_.Show(MessageStyle::Failure, kLocalTimeErrorText);
    timeMissingShown_ = true;
    // Blank lines in place of the header keep prnrep.txt on its 60-line stride.
    for (int i = 0; i < kHeaderLines; ++i) WriteReportLine(kNoText);
    return;
  }
  const auto& cached = headerCache_;
  if (!cached || cached->day.day != now->day || cached->day.month != now->month || cached->day.year != now->year) {
    RebuildHeaderCache(*now);
  }
  // Only the page number changes from page to page.
  char pageText[16];
  std::snprintf(pageText, sizeof pageText, "%4d ", page);
  line_.assign(headerCache_->firstLine).append(pageText);
  WriteReportLine(line_);
  WriteReportLine(kNoText);
  WriteReportLine(kNoText);
  WriteReportLine(headerCache_->companyLine);
  WriteReportLine(kNoText);
  WriteReportLine(kColumnTitles);
  WriteReportLine(kNoText);
}

void ReportRun::RebuildHeaderCache(const LocalTime& now) {
  const std::string& d = company_.date;
  headerCache_ = HeaderCache{
      now,
      Format("%.13s                %-35s       AS AT %.2s/%.2s/%.4s   RUN DATE  %.2d/%.2d/%.4d   PAGE ", "DCIFB410",
             kReportTitle.data(), d.c_str(), d.size() > 2 ? d.c_str() + 2 : "", d.size() > 4 ? d.c_str() + 4 : "",
             now.day, now.month, now.year),
      Format(" COMPANY NAME    %-40s   COMPANY CODE   %.8s", company_.name.c_str(), company_.serviceCode.c_str())};
}

void ReportRun::BreakPage() {
  FillPage(lineCounter_);
  WritePageHeader(page_);
  lineCounter_ = kHeaderLines;
  ++page_;
}

void ReportRun::HeaderRecord(std::string_view body) {
  company_ = Company{std::string(Field(body, 1, 8)), std::string(Field(body, 39, 40)), std::string(Field(body, 79, 8))};
  headerCache_.reset();
  totals_.fill({});
  WritePageHeader(page_);
  ++page_;
  lineCounter_ = kHeaderLines;
}

void ReportRun::ItemRecord(std::string_view body) {
  if (lineCounter_ >= kItemBreak) BreakPage();
  const std::string_view time = Field(body, 47, 6);
  const std::string_view date = Field(body, 39, 8);
  const std::string_view amount = Field(body, 182, 13);
  const std::string_view channel = Field(body, 172, 3);
  const bool noCheque = HasNoChequeData(channel);
  const int index = ChannelIndex(channel);
  if (index != kNoChannelLine) {
    totals_[static_cast<std::size_t>(index)].amount += AmountValue(amount);
    ++totals_[static_cast<std::size_t>(index)].count;
  }
  LineBuilder l;
  l.Two(Field(time, 0, 2));
  l.Put(':');
  l.Two(Field(time, 2, 2));
  l.Put(':');
  l.Two(Field(time, 4, 2));
  l.Put(' ');
  l.Cut(Field(body, 103, 20), 20);
  l.Put(' ');
  l.NameCell(body);
  l.Put(' ');
  l.Cut(Field(date, 0, 2), 2);
  l.Put('/');
  l.Cut(Field(date, 2, 2), 2);
  l.Put('/');
  l.Cut(Field(date, 4, 4), 4);
  l.Put(' ');
  l.Cut(Field(body, 123, 20), 20);
  l.Put(' ');
  l.Cut(Field(body, 163, 4), 4);
  l.Spaces(2);
  l.Amount(amount, 17);
  l.Put(' ');
  l.Cut(channel, 3);
  l.Put(' ');
  if (noCheque) {
    l.Spaces(10);
  } else {
    l.Cut(Field(body, 175, 7), 7);
    l.Put(' ');
    l.Cut(Field(body, 196, 2), 2);
  }
  WriteReportLine(l.text());
  ++lineCounter_;
}

void ReportRun::TotalLine(std::string_view label, const ChannelTotal& total) {
  const std::string amount = FormatAmount(Format("%014.0f", total.amount));
  WriteReportLine(Format("                     %.*s   %6ld   ITEM   AMOUNT %s   BAHT", static_cast<int>(label.size()),
                         label.data(), total.count, amount.c_str()));
}

void ReportRun::TrailerLine(std::string_view label, std::string_view gap, std::string_view amount) {
  std::string& l = line_;
  l.assign(21, ' ');
  l.append(label).append(gap).append(FormatAmount(amount)).append("   BAHT");
  WriteReportLine(l);
}

void ReportRun::TrailerRecord(std::string_view body) {
  if (lineCounter_ >= kTotalsBreak) BreakPage();
  ChannelTotal& grand = totals_[kGrandTotalLine];
  for (int i = 0; i < kGrandTotalLine; ++i) {
    grand.amount += totals_[static_cast<std::size_t>(i)].amount;
    grand.count += totals_[static_cast<std::size_t>(i)].count;
  }
  for (std::size_t i = 0; i < totals_.size(); ++i) {
    const std::string_view label = ChannelTable()[i].label;
    if (i == 0 || label.starts_with('G')) WriteReportLine(kNoText);
    TotalLine(label, totals_[i]);
  }
  constexpr std::string_view kGap = "                               ";  // 31: every amount ends at column 104
  TrailerLine(TotalChargeLabel(), kGap.substr(4), Field(body, 39, 13));
  TrailerLine(TotalDiscountLabel(), kGap.substr(4), Field(body, 77, 13));
  TrailerLine(VatLabel(), kGap, Field(body, 90, 10));
  lineCounter_ += kTotalsLines;
  FillPage(lineCounter_);
}

}  // namespace

int LastPageNumber() { return lastPageNumber; }
void SetLastPageNumber(int page) { lastPageNumber = page; }

namespace {

// The run over an open data file; false when the data could not be read.
bool WriteReport(std::FILE* in, BlockWriter* view, BlockWriter& print, MessagePort& messages, const Clock& clock,
                 std::size_t readBlock = 1 << 16) {
  ReportRun run(view, print, messages, clock);
  DataLineReader reader(in, readBlock);
  for (std::string_view line; reader.Next(line);) run.Line(WithoutLineEnd(line));
  return !reader.failed();
}

}  // namespace

bool GenerateReport(const fs::path& dataFile, const fs::path& outputDirectory, bool viewMode, MessagePort& messages,
                    const Clock& clock, const fs::path& base) {
  auto fail = [&](const std::string& text) {
    messages.Show(MessageStyle::Failure, text);
    return false;
  };
  CFile in = OpenFile(InDirectory(base, dataFile), "rb");
  if (!in) return fail(Format("Can't open file %s", dataFile.c_str()));
  // Each file is written beside its name and put in place only when whole:
  // a full disk leaves the older report, never part of a new one.
  std::optional<ReplacementFile> viewFile;
  std::optional<BlockWriter> view;
  if (viewMode) {
    viewFile.emplace(outputDirectory / store::kViewReportFile);
    if (!viewFile->opened()) return fail("Can't open file report.txt");
    view.emplace(*viewFile);
  }
  ReplacementFile printFile(outputDirectory / store::kPrintReportFile);
  if (!printFile.opened()) return fail("Can't open file prnrep.txt");
  BlockWriter print(printFile);

  if (!WriteReport(in.get(), view ? &*view : nullptr, print, messages, clock)) {
    return fail(Format("Can't read file %s", dataFile.c_str()));
  }
  if (view && !(view->Close() && viewFile->Finish())) return fail("Can't write file report.txt");
  if (!(print.Close() && printFile.Finish())) return fail("Can't write file prnrep.txt");
  if ((viewFile && !viewFile->Install()) || !printFile.Install()) return fail("Can't write file prnrep.txt");
  return true;
}

bool GenerateReportText(std::string_view data, bool viewMode, std::string* viewText, std::string& printText,
                        MessagePort& messages, const Clock& clock) {
  static char nothing;
  CFile in(::fmemopen(data.empty() ? &nothing : const_cast<char*>(data.data()), data.size(), "rb"));
  if (!in) return false;
  std::string unusedView;
  std::string& viewSink = viewText != nullptr ? *viewText : unusedView;
  viewSink.clear();
  printText.clear();
  // Small blocks: the text is in memory already.
  constexpr std::size_t kBlock = 1 << 13;
  std::optional<BlockWriter> view;
  if (viewMode) view.emplace(viewSink, kBlock);
  BlockWriter print(printText, kBlock);
  const bool read = WriteReport(in.get(), view ? &*view : nullptr, print, messages, clock, kBlock);
  const bool written = (!view || view->Close()) && print.Close();
  return read && written;
}

}  // namespace lumvex::report
