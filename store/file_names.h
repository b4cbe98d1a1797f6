#pragma once

#include <string>
#include <string_view>

#include "core/clock.h"
#include "store/calendar.h"

// Every name the store forms, relative to the store root, and the date texts
// kept in the catalogue.
namespace lumvex::store {

inline constexpr std::string_view kCatalogueFile = "download.log";
inline constexpr std::string_view kPreviousCatalogueFile = "download.old";
inline constexpr std::string_view kConfigFile = "config.dat";
inline constexpr std::string_view kViewReportFile = "report.txt";
inline constexpr std::string_view kPrintReportFile = "prnrep.txt";
inline constexpr std::string_view kDefaultCopyFile = "temp.dat";
inline constexpr std::string_view kDeletedMarker = "deleted";
inline constexpr std::size_t kMaxServiceCodeLength = 8;
inline constexpr std::size_t kMaxFileNameLength = 63;

// A Service Code name may become a directory name only when it cannot reach
// outside the store root: no separator and not "." or "..".
bool IsSafeServiceCodeName(std::string_view name);

// A name the store can hold as a Service Code: safe as a directory name, at
// most 8 characters, reading back the same from download.log (no white space,
// comma or apostrophe), and not the reserved "deleted".
bool IsStorableServiceCodeName(std::string_view name);
// The message that refuses a name IsStorableServiceCodeName rejects.
std::string ServiceCodeNameRefusal(std::string_view name);

// A byte that cannot stand in a download.log field: the separator, line ends
// and other control characters.
bool BreaksCatalogueField(char c);
// A File Name the catalogue can keep: at most 63 characters, no directory
// part, no byte that breaks a field.
bool IsStorableFileName(std::string_view name);

std::string ReceivedFileName(std::string_view serviceCode, int dayOfYear);  // code/kordex$$.NNN
std::string WorkFileName(std::string_view serviceCode, int dayOfYear);      // code/kordex!!.NNN
// Where a complete received file that would not uncompress is kept for
// inspection: a name neither the resume nor Import picks up.
std::string SetAsideFileName(std::string_view receivedFileName);  // code/kordex$$.NNN.bad
std::string DataFileName(std::string_view serviceCode, int dayOfYear);      // code/kordex.NNN
std::string DataFileEntryName(int dayOfYear);                               // kordex.NNN
std::string StoredFilePath(std::string_view serviceCode, std::string_view fileName);
// The received file that belongs to a File Name: its first six characters,
// "$$." and up to three characters from its eighth on.
std::string ReceivedFileOfName(std::string_view serviceCode, std::string_view fileName);

// DDMMYYYY -> DD/MM/YYYY, taking the characters as they stand.
std::string DatePrepare(std::string_view billDate);
// Today's date as DD/MM/YYYY.
std::string DateRetrieve(const LocalTime& now);

}  // namespace lumvex::store
