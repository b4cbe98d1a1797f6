#pragma once

// Bill-payment data files for tests, benchmarks and the demo: fixed-column
// H, I and T records with TIS-620 Thai names, made from a few options.
// Library target: lumvex_report_testing (links only lumvex_core).

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumvex::report::testing {

// Characters of a generated line before its CR LF. Copy keeps 19 to 274,
// so a record of this length fills a copy record exactly.
inline constexpr std::size_t kRecordLength = 275;

// Thai letters (U+0E01 to U+0E5B) written as UTF-8 become their TIS-620
// bytes; ASCII stays; anything else becomes '?'. Lets sources spell names.
std::string ToTis620(std::string_view utf8);

// Satang as a right-aligned digit field of `width` characters with leading
// zeros ("%0*lld"), so a negative value starts with '-'.
std::string AmountField(long long satang, int width);

// Every text field is written as it stands, cut or padded with spaces to its
// width; bytes beyond the listed fields are spaces.
struct HeaderFields {
  std::string serviceCode = "ABC01";  // offset 1, 8 (not upper-cased here)
  std::string serviceType = "KORDEX";  // offset 9, 6
  std::string companyName;             // offset 39, 40
  std::string billDate = "05012000";   // offset 79, 8, DDMMYYYY
};

struct ItemFields {
  std::string payDate = "05012000";  // offset 39, 8
  std::string payTime = "093015";    // offset 47, 6, HHMMSS
  std::string name1;                 // offset 53, 25
  std::string name2;                 // offset 78, 20
  std::string customerNumber;        // offset 103, 20
  std::string reference;             // offset 123, 20
  std::string branch = "0001";       // offset 163, 4
  std::string channel = "CSH";       // offset 172, 3
  std::string cheque;                // offset 175, 7
  long long amount = 0;              // offset 182, 13, satang
  std::string bankCode;              // offset 196, 2
};

struct TrailerFields {
  long long charge = 0;    // offset 39, 13
  long long discount = 0;  // offset 77, 13
  long long vat = 0;       // offset 90, 10
};

// One record without its line end, `length` characters long (at least 200).
std::string HeaderRecord(const HeaderFields& fields, std::size_t length = kRecordLength);
std::string ItemRecord(const ItemFields& fields, std::size_t length = kRecordLength);
std::string TrailerRecord(const TrailerFields& fields, std::size_t length = kRecordLength);

// The lines joined, each followed by CR LF.
std::string JoinLines(std::initializer_list<std::string_view> lines);
std::string JoinLines(const std::vector<std::string>& lines);

// Every channel code the report knows, TRQ included, in table order.
const std::vector<std::string>& AllChannels();

struct DataFileOptions {
  int companies = 1;                 // company blocks: H, items, T
  int itemsPerCompany = 10;          // raised when targetBytes asks for more
  std::uint64_t targetBytes = 0;     // when non-zero, the file is at least this long
  std::string serviceCode = "abc01"; // upper-cased and padded in the header
  std::string billDate = "05012000"; // DDMMYYYY: header date and payment date
  std::vector<std::string> channels = AllChannels();  // used in turn
  long long minAmount = 1;           // satang, drawn evenly between these
  long long maxAmount = 99999999;
  bool thaiNames = true;             // TIS-620 names with non-spacing marks, else ASCII
  std::size_t recordLength = kRecordLength;
  std::uint64_t seed = 1;            // same seed, same bytes
};

struct DataFileSummary {
  std::uint64_t bytes = 0;
  long long items = 0;
  int companies = 0;
};

// The whole file in memory (for small files).
std::string GenerateDataFile(const DataFileOptions& options, DataFileSummary* summary = nullptr);

// Streams the file to `path` (for large files); empty when it can't be written.
std::optional<DataFileSummary> WriteDataFile(const std::filesystem::path& path, const DataFileOptions& options);

}  // namespace lumvex::report::testing
