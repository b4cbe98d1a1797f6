#include "link/link_control.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "link/device_settings.h"

namespace lumvex::link {
namespace {

constexpr std::size_t kAnswerShown = 20;

// The modem's answer as one line: CR and LF among its first characters
// become blanks.
std::string AnswerText(const std::array<char, kBindAnswerCapacity>& answer) {
  std::string text(answer.data(), ::strnlen(answer.data(), answer.size()));
  for (std::size_t i = 0; i < text.size() && i < kAnswerShown; ++i) {
    if (text[i] == '\r' || text[i] == '\n') text[i] = ' ';
  }
  return text;
}

// The digit itself when it names no port or speed, so the message still
// says what was configured.
std::string TextOrDigit(const std::string& text, const std::string& digit) { return text.empty() ? digit : text; }

}  // namespace

LinkState& ProcessLinkState() {
  static LinkState state;
  return state;
}

LinkControl::LinkControl(LinkCopy copy, PadPort& pad, MessagePort& messages, Pacer& pacer,
                         std::filesystem::path configFile, LinkState& state)
    : copy_(copy), pad_(pad), messages_(messages), pacer_(pacer), configFile_(std::move(configFile)), state_(state) {}

int LinkControl::Fail(std::string_view message, bool portOpen) {
  // A port left open would make the next connect fail to open it.
  if (portOpen) pad_.ShutPadX25();
  messages_.Show(MessageStyle::Failure, message);
  return 0;
}

int LinkControl::LinkConnect() {
  if (copy_ == LinkCopy::Download && state_.linkUp == 1) return 1;

  const ConfigReadResult config = ReadDeviceSettings(configFile_);
  if (!config.settings) {
    messages_.Show(MessageStyle::Failure,
                   config.error == ConfigError::CantOpen ? kCantOpenConfig : kCantReadConfig);
    return 0;
  }
  const DeviceSettings& s = *config.settings;
  const std::string port = PortText(s.portDigit);
  const std::string speed = SpeedText(s.speedDigit);
  const std::string portShown = TextOrDigit(port, s.portDigit);
  const std::string speedShown = TextOrDigit(speed, s.speedDigit);

  messages_.SetStatus("  Wait for Open Port " + portShown + " : Speed " + speedShown);
  if (port.empty() || speed.empty() || pad_.OpenPadX25(port, speed, "n", "8", "1") == 0)
    return Fail("Open Port " + portShown + " : Speed " + speedShown + " failed.", false);

  messages_.SetStatus("  Wait for Init PadX25");
  if (pad_.InitPadX25() == 0) return Fail("Init PadX25 failed.", true);

  messages_.SetStatus("  Looking up ORQ");
  std::array<char, kBindAnswerCapacity> answer{};
  if (pad_.BindPadX25(s.dialPrefix + s.phoneNumber + "\r", answer) == 0) {
    answer.back() = '\0';
    return Fail(AnswerText(answer) + " on " + s.phoneNumber, true);
  }

  messages_.SetStatus("  Connecting ORQ");
  if (copy_ == LinkCopy::Download) pacer_.Wait(kPadStatusPause);
  if (pad_.bStatPadX25() == 0)
    return Fail(copy_ == LinkCopy::Download ? "bStat PadX25 failed." : "bStat  PadX25 failed.", true);

  messages_.SetStatus("  Wait for Link");
  if (pad_.LinkPadX25(s.hostAddress + "\r") == 0)
    return Fail("Link PadX25 failed at " + s.hostAddress + ". Service not ready.", true);
  if (pad_.aStatPadX25() == 0) return Fail("aStat PadX25 failed.", true);

  messages_.SetStatus("  Connected OK");
  return 1;
}

int LinkControl::LinkExchange(std::string_view request, std::span<char> reply, int& received) {
  received = 0;
  if (pad_.spkt_padx25(request.substr(0, request.find('\0')), kPacketWaitSeconds) != 0) {
    messages_.Show(MessageStyle::Failure, "Send PadX25 failed.");
    return 0;
  }
  // The library learns the buffer's room from the length it is given.
  int length = static_cast<int>(reply.size());
  if (pad_.rpkt_padx25(reply, length, kPacketWaitSeconds) != 0) {
    messages_.Show(MessageStyle::Failure, "Read PadX25 failed.");
    return 0;
  }
  received = std::clamp(length, 0, static_cast<int>(reply.size()) - 1);
  return 1;
}

int LinkControl::LinkExchange(std::string_view request, std::span<char> reply) {
  int received = 0;
  return LinkExchange(request, reply, received);
}

int LinkControl::LinkDisconnect() {
  if (copy_ == LinkCopy::Download) messages_.SetStatus("  Begin DisConnect...");
  if (state_.linkUp == 0) return 1;
  messages_.SetStatus("  Wait for Shut PadX25");
  if (pad_.ShutPadX25() == 0) {
    messages_.Show(MessageStyle::Failure, "Shut PadX25 failed.");
    if (copy_ == LinkCopy::Download) state_.linkUp = 0;
    return 0;
  }
  messages_.SetStatus("  Completed ...");
  state_.linkUp = 0;
  return 1;
}

}  // namespace lumvex::link
