#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "core/clock.h"
#include "core/message_port.h"

namespace lumvex::report {

// Every report line is 131 characters and CR LF; prnrep.txt holds pages of
// exactly 60 such lines, so page n starts at byte (n - 1) * 7,980.
inline constexpr std::size_t kReportLineWidth = 131;
inline constexpr std::size_t kReportLineBytes = kReportLineWidth + 2;
inline constexpr int kPageLines = 60;
inline constexpr std::size_t kPageBytes = kReportLineBytes * kPageLines;

inline constexpr std::string_view kReportTitle = "BILL PAYMENT BY COMPANY REPORT";
// Shown (once a run) when the local time can't be had; TIS-620 bytes.
inline constexpr std::string_view kLocalTimeErrorText = "Get local time ERROR !!! OVER year \xa4.\xc8. 2037";

// Writes the "BILL PAYMENT BY COMPANY REPORT" of `dataFile` into
// `outputDirectory`: prnrep.txt always, in 60-line pages for printing, and
// report.txt (the same lines without the page fill) when `viewMode` is set.
// Both files are replaced. "Today" (the RUN DATE) comes from `clock`.
// Failures are shown through `messages`; false when the report is not whole.
// A relative `dataFile` is taken under `base` when one is given; messages
// name it as given.
bool GenerateReport(const std::filesystem::path& dataFile, const std::filesystem::path& outputDirectory,
                    bool viewMode, MessagePort& messages, const Clock& clock = SystemClock::Instance(),
                    const std::filesystem::path& base = {});

// The same report of data in memory, into `printText` (and `viewText` in
// view mode): what prnrep.txt and report.txt would hold. No files.
bool GenerateReportText(std::string_view data, bool viewMode, std::string* viewText, std::string& printText,
                        MessagePort& messages, const Clock& clock);

// The number of the last page headed by any run of GenerateReport in this
// process (0 before the first); a run that heads no page leaves it alone.
// Printing takes it as the page count.
int LastPageNumber();
void SetLastPageNumber(int page);

}  // namespace lumvex::report
