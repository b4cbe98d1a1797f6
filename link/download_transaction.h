#pragma once

#include <chrono>
#include <filesystem>
#include <string>

#include "core/clock.h"
#include "core/message_port.h"
#include "core/pacing.h"
#include "link/link_control.h"
#include "link/uncompress_step.h"

// Fetches the bill-payment file of one date for one Service Code, block by
// block, into kordex$$.NNN (resuming a partial file), checks its size, has it
// uncompressed into kordex.NNN and hands back what the catalogue records.
namespace lumvex::link {

inline constexpr std::chrono::milliseconds kFirstRequestPause{500};
inline constexpr std::chrono::milliseconds kDownloadRequestPause{250};
inline constexpr std::size_t kBlockSize = 512;

// Entries of the Download dialog as typed.
struct DownloadEntries {
  std::string serviceCode;  // empty: none selected
  std::string staffId;
  std::string password;
  std::string date;  // DDMMYYYY
};

enum class DownloadField { None, ServiceCode, StaffId, Password, Date };

// Kept by the dialog object across presses (and showings): they let the
// user fill the fields in order by pressing Enter on the default button.
struct DownloadAcceptance {
  int staffId = 0;
  int password = 0;
  int date = 0;
};

struct DownloadCheck {
  bool go = false;                           // confirmed; start the transaction
  DownloadField focus = DownloadField::None; // where the focus goes when not
};

enum class DownloadOutcome {
  ConnectFailed,  // "  Can't Connect to ORQ"; the dialog stays open, link down
  Completed,      // dialog result 1; the file is ready to record
  Failed,         // dialog result 2; the link stays up
};

class DownloadTransaction {
 public:
  DownloadTransaction(LinkControl& link, MessagePort& messages, Pacer& pacer, const Clock& clock,
                      UncompressStep& uncompress, std::filesystem::path storeRoot = ".");

  // Dial pressed: checks the entries in order, shows the first complaint and
  // asks "Are you sure ?".
  DownloadCheck Validate(const DownloadEntries& entries);
  // After the confirmation: connects when the link is down, then transfers.
  DownloadOutcome Start(const DownloadEntries& entries);
  // The transfer alone (the link is up).
  int Transfer(const DownloadEntries& entries);

  DownloadAcceptance& acceptance() { return acceptance_; }
  // 1 while this dialog's confirmation is on screen, and left at 1 when it
  // was cancelled; the idle countdown then only postpones itself.
  int& messageUp() { return messageUp_; }
  int success() const { return success_; }
  const std::string& fileSizeText() const { return fileSizeText_; }  // "%ld" of the data file
  const std::string& dateText() const { return dateText_; }          // the Date as typed
  // Clears what the dialog clears when it opens with the link down.
  void ResetForLinkDown();

 private:
  void Complain(std::string_view text) { messages_.Show(MessageStyle::Failure, text); }
  bool Finish(int dayOfYear, const std::string& serviceCode);
  // Moves the received file aside after a failed uncompress; the words that say so.
  std::string SetAsideReceivedFile(int dayOfYear, const std::string& serviceCode);

  LinkControl& link_;
  MessagePort& messages_;
  Pacer& pacer_;
  const Clock& clock_;
  UncompressStep& uncompress_;
  std::filesystem::path storeRoot_;
  DownloadAcceptance acceptance_;
  int messageUp_ = 0;
  int success_ = 0;
  std::string fileSizeText_;
  std::string dateText_;
};

}  // namespace lumvex::link
