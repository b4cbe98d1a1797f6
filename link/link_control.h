#pragma once

#include <chrono>
#include <filesystem>
#include <span>
#include <string_view>

#include "core/message_port.h"
#include "core/pacing.h"
#include "link/pad_port.h"

// The dial-up path to the host: connect (open the port, initialise, dial,
// check, call the host, check), exchange one request for one reply, and
// disconnect. The Download and Change Password dialogs each carry their own
// copy; the copies differ in small, deliberate ways (LinkCopy).
namespace lumvex::link {

// Process-wide link state. It outlives the dialogs: a link opened in one is
// used by the next.
struct LinkState {
  int linkUp = 0;  // 1 while the PAD link is established
};
LinkState& ProcessLinkState();

enum class LinkCopy { Download, ChangePassword };

inline constexpr std::chrono::milliseconds kPadStatusPause{1500};

class LinkControl {
 public:
  LinkControl(LinkCopy copy, PadPort& pad, MessagePort& messages, Pacer& pacer,
              std::filesystem::path configFile = "config.dat", LinkState& state = ProcessLinkState());

  // 1 when the link is established. Does not set linkUp: the transaction does.
  int LinkConnect();
  // Sends a zero-terminated request and receives one reply into `reply`,
  // which the caller has zero-filled. 1 on success; `received` then holds
  // the reply's length.
  int LinkExchange(std::string_view request, std::span<char> reply, int& received);
  int LinkExchange(std::string_view request, std::span<char> reply);
  // 1 when the link is down (or never was up); 0 when the library refused to shut.
  int LinkDisconnect();

  LinkState& state() { return state_; }
  LinkCopy copy() const { return copy_; }

 private:
  int Fail(std::string_view message, bool portOpen);

  LinkCopy copy_;
  PadPort& pad_;
  MessagePort& messages_;
  Pacer& pacer_;
  std::filesystem::path configFile_;
  LinkState& state_;
};

}  // namespace lumvex::link
