#include "report/fixed_record_copy.h"

#include <algorithm>
#include <cstring>
#include <system_error>

#include "core/in_directory.h"
#include "core/text_format.h"
#include "report/block_writer.h"
#include "report/data_line_reader.h"
#include "store/file_names.h"

namespace lumvex::report {
namespace {

void Fail(MessagePort& messages, const char* format, const std::filesystem::path& path) {
  messages.Show(MessageStyle::Failure, Format(format, path.c_str()));
}

void Blank(char* text, std::size_t size, char c) {
  char* end = text + size;
  for (char* p = text; (p = static_cast<char*>(std::memchr(p, c, static_cast<std::size_t>(end - p)))) != nullptr;) {
    *p++ = ' ';
  }
}

void FillRecord(std::string_view line, char* record) {
  const std::string_view data = Field(line, kCopyFirstColumn, kCopyRecordData);
  if (!data.empty()) std::memcpy(record, data.data(), data.size());
  std::memset(record + data.size(), ' ', kCopyRecordData - data.size());
  // Line ends (normally only the last one or two bytes) read as spaces.
  Blank(record, data.size(), '\r');
  Blank(record, data.size(), '\n');
  record[kCopyRecordData] = '\r';
  record[kCopyRecordData + 1] = '\n';
}

bool IsSameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::error_code ec;
  return std::filesystem::equivalent(a, b, ec) && !ec;
}

}  // namespace

std::string CopyRecordOf(std::string_view line) {
  std::string record(kCopyRecordLength, ' ');
  FillRecord(line, record.data());
  return record;
}

bool CopyFixedRecords(const std::filesystem::path& source, const std::filesystem::path& requested,
                      MessagePort& messages, const std::filesystem::path& base) {
  CFile in = OpenFile(InDirectory(base, source), "rb");
  if (!in) {
    Fail(messages, "Can't open file %s", source);
    return false;
  }
  const std::filesystem::path destination = requested.empty() ? std::filesystem::path(store::kDefaultCopyFile) : requested;
  // Truncating the destination first would wipe a source named as its own copy.
  if (IsSameFile(InDirectory(base, source), InDirectory(base, destination))) {
    Fail(messages, "Can't copy file %s onto itself", destination);
    return false;
  }
  CFile outFile = OpenFile(InDirectory(base, destination), "wb");
  if (!outFile) {
    Fail(messages, "Can't open file %s", destination);
    return false;
  }
  BlockWriter out(std::move(outFile));
  DataLineReader reader(in.get());
  char record[kCopyRecordLength];
  for (std::string_view line; reader.Next(line);) {
    FillRecord(line, record);
    out.Write(std::string_view(record, kCopyRecordLength));
  }
  const bool written = out.Close();
  if (reader.failed()) {
    Fail(messages, "Can't read file %s", source);
  } else if (!written) {
    Fail(messages, "Can't write file %s", destination);
  }
  if (reader.failed() || !written) {
    // A cut-short copy must not pass for a whole one.
    std::error_code ec;
    if (std::filesystem::is_regular_file(destination, ec)) std::filesystem::remove(destination, ec);
    return false;
  }
  return true;
}

}  // namespace lumvex::report
