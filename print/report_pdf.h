#pragma once

#include <filesystem>
#include <string_view>

#include "core/message_port.h"

class QPrinter;

namespace lumvex::print {

// Pages of prnrep.txt (`printer`'s range, else 1 to `lastPage`) written
// straight into the PDF file `out`, laid out as PrintReport lays them out on
// `printer`'s paper, in the same font, its glyphs shaped the same way. A
// paint engine writes a positioned glyph per character; this writes a
// word at a time, a few times faster and smaller. The file is replaced
// whole or not at all. False, after a message, when it could not be written.
bool WriteReportPdf(const QPrinter &printer, const std::filesystem::path &out, const std::filesystem::path &printFile,
                    int lastPage, std::string_view fileName, MessagePort &messages);

}  // namespace lumvex::print
