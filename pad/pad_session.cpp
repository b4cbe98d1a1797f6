#include "pad/pad_session.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <thread>

#include "pad/port_settings.h"

namespace lumvex::pad {

namespace {

constexpr Milliseconds kCommandLimit{10000};
constexpr Milliseconds kDialLimit{60000};
constexpr Milliseconds kCallLimit{30000};
constexpr int kPacketSeconds = 45;
constexpr std::size_t kAnswerSize = 100;
constexpr char kEtx = '\x03';
constexpr char kDle = '\x10';
constexpr std::string_view kProfile = "SET 1:1,2:0,3:16,4:0,5:0,6:1,12:0\r";

constexpr std::array<std::string_view, 6> kDialFailures{
    "NO CARRIER", "BUSY", "NO DIALTONE", "NO DIAL TONE", "NO ANSWER", "ERROR"};

Milliseconds PacketLimit(int waitSeconds) {
  return WaitLimit(Milliseconds(1000L * (waitSeconds > 0 ? waitSeconds : kPacketSeconds)));
}

Verdict OkOrError(std::string_view line) {
  if (line == "OK") return Verdict::Success;
  if (line == "ERROR" || IsCarrierLost(line)) return Verdict::Failure;
  return Verdict::Skip;
}

Verdict CarrierOnly(std::string_view line) {
  return IsCarrierLost(line) ? Verdict::Failure : Verdict::Skip;
}

void WriteAnswer(char* answer, std::string_view result) {
  if (answer == nullptr) return;
  std::string text = "\r\n" + std::string(result) + "\r\n";
  text.resize(std::min(text.size(), kAnswerSize - 1));
  std::memcpy(answer, text.c_str(), text.size() + 1);
}

}  // namespace

int PadSession::Open(const char* port, const char* speed, const char* parity, const char* dataBits,
                     const char* stopBits) {
  // A second open replaces the first, so a retry after a failed connect can
  // never be locked out by this process's own earlier port.
  port_.reset();
  reader_ = LineReader();
  lineUp_ = callUp_ = deviceGone_ = false;
  const auto settings = ParsePortSettings(speed, parity, dataBits, stopBits);
  const auto device = ResolveDevice(port);
  if (!settings || !device) return 0;
  auto opened = SerialPort::Open(*device, *settings);
  if (!opened.port) return 0;
  port_ = std::move(opened.port);
  return 1;
}

bool PadSession::Send(std::string_view bytes) {
  if (!port_ || deviceGone_) return false;
  const PortError error = port_->Write(bytes, Deadline(WaitLimit(kCommandLimit)));
  NoteError(error);
  return error == PortError::None;
}

bool PadSession::DiscardStale() {
  if (!port_ || deviceGone_) return false;
  const auto discarded = reader_.DiscardPending(*port_);
  for (const auto& signal : discarded.signals) NoteSignal(signal);
  NoteError(discarded.error);
  return !deviceGone_;
}

WaitOutcome PadSession::AwaitLine(const LineJudge& judge, Milliseconds limit) {
  if (!port_ || deviceGone_) return {WaitOutcome::Closed, {}};
  auto outcome = reader_.AwaitLine(*port_, judge, Deadline(WaitLimit(limit)));
  Note(outcome);
  return outcome;
}

WaitOutcome PadSession::AwaitPrompt(const LineJudge& judge, Milliseconds limit) {
  if (!port_ || deviceGone_) return {WaitOutcome::Closed, {}};
  auto outcome = reader_.AwaitPrompt(*port_, judge, Deadline(WaitLimit(limit)));
  Note(outcome);
  return outcome;
}

void PadSession::Note(const WaitOutcome& outcome) {
  if (outcome.kind == WaitOutcome::Closed) NoteError(PortError::Closed);
  if (outcome.kind == WaitOutcome::Failure) NoteSignal(outcome.line);
}

void PadSession::NoteSignal(std::string_view line) {
  if (IsCarrierLost(line)) lineUp_ = callUp_ = false;
  if (IsCallSignal(line)) callUp_ = false;
}

void PadSession::NoteError(PortError error) {
  if (error == PortError::Closed) {
    deviceGone_ = true;
    lineUp_ = callUp_ = false;
  }
}

bool PadSession::AtCommand(std::string_view command, Milliseconds limit) {
  return DiscardStale() && Send(command) && AwaitLine(OkOrError, limit).kind == WaitOutcome::Success;
}

int PadSession::Init() {
  if (!port_) return 0;
  // ATZ drops whatever line the modem had.
  lineUp_ = callUp_ = false;
  return AtCommand("ATZ\r", kCommandLimit) && AtCommand("ATE0V1Q0X4&C1&D2\r", kCommandLimit) ? 1 : 0;
}

int PadSession::Bind(const char* dial, char* answer) {
  if (dial == nullptr || !port_ || deviceGone_) {
    WriteAnswer(answer, "NO DEVICE");
    return 0;
  }
  port_->WatchCarrier(false);
  lineUp_ = callUp_ = false;
  const auto judge = [](std::string_view line) {
    if (line.starts_with("CONNECT")) return Verdict::Success;
    if (std::find(kDialFailures.begin(), kDialFailures.end(), line) != kDialFailures.end()) {
      return Verdict::Failure;
    }
    return Verdict::Skip;
  };
  if (!DiscardStale() || !Send(dial)) {
    WriteAnswer(answer, "NO DEVICE");
    return 0;
  }
  const auto outcome = AwaitLine(judge, kDialLimit);
  switch (outcome.kind) {
    case WaitOutcome::Success:
      WriteAnswer(answer, outcome.line);
      lineUp_ = true;
      port_->WatchCarrier(true);
      return 1;
    case WaitOutcome::Failure: WriteAnswer(answer, outcome.line); return 0;
    case WaitOutcome::Timeout: WriteAnswer(answer, "TIMEOUT"); return 0;
    default: WriteAnswer(answer, "NO DEVICE"); return 0;
  }
}

int PadSession::BStat() {
  if (!lineUp_ || !DiscardStale()) return 0;
  if (!Send("\r") || !Send("\r")) return 0;
  return AwaitPrompt(CarrierOnly, kCommandLimit).kind == WaitOutcome::Success ? 1 : 0;
}

int PadSession::Link(const char* address) {
  if (address == nullptr || !lineUp_ || !DiscardStale()) return 0;
  const auto refused = [](std::string_view line) {
    return line == "ERR" || IsCarrierLost(line) ? Verdict::Failure : Verdict::Skip;
  };
  if (!Send(kProfile) || AwaitPrompt(refused, kCommandLimit).kind != WaitOutcome::Success) return 0;
  if (!DiscardStale() || !Send(address)) return 0;
  const auto connected = [](std::string_view line) {
    if (line == "COM" || line.ends_with(" COM")) return Verdict::Success;
    if (line == "ERR" || IsCallSignal(line) || IsCarrierLost(line)) return Verdict::Failure;
    return Verdict::Skip;
  };
  if (AwaitLine(connected, kCallLimit).kind != WaitOutcome::Success) return 0;
  callUp_ = true;
  return 1;
}

int PadSession::AStat() {
  if (!callUp_ || !DiscardStale()) return 0;
  if (!Send(std::string_view(&kDle, 1)) ||
      AwaitPrompt(CarrierOnly, kCommandLimit).kind != WaitOutcome::Success || !Send("STAT\r")) {
    return 0;
  }
  const auto status = [](std::string_view line) {
    if (line == "ENGAGED") return Verdict::Success;
    if (line == "FREE" || IsCallSignal(line) || IsCarrierLost(line)) return Verdict::Failure;
    return Verdict::Skip;
  };
  const auto answer = AwaitLine(status, kCommandLimit);
  if (answer.line == "FREE") callUp_ = false;
  if (answer.kind != WaitOutcome::Success) return 0;
  const bool prompted = AwaitPrompt(CarrierOnly, kCommandLimit).kind == WaitOutcome::Success;
  // Back to data transfer even when the prompt was late.
  return Send("\r") && prompted ? 1 : 0;
}

int PadSession::SendPacket(const char* request, int count, int waitSeconds) {
  if (request == nullptr || count < 0) return 1;
  const std::string_view bytes(request, static_cast<std::size_t>(count));
  // ETX would cut the packet short and DLE would recall the PAD.
  if (bytes.find_first_of(std::string_view("\x03\x10", 2)) != std::string_view::npos) return 1;
  if (!callUp_ || !DiscardStale() || !callUp_) return 1;
  std::string packet(bytes);
  packet += kEtx;
  const PortError error = port_->Write(packet, Deadline(PacketLimit(waitSeconds)));
  NoteError(error);
  return error == PortError::None ? 0 : 1;
}

int PadSession::ReceivePacket(char* reply, int* length, int waitSeconds) {
  if (reply == nullptr || length == nullptr) return 1;
  const std::size_t capacity = *length > 0 ? static_cast<std::size_t>(*length) : 0;
  *length = 0;
  if (!callUp_ || !port_ || deviceGone_) return 1;
  // Stored apart first: a reply that does not fit leaves the caller's buffer as it was.
  std::string packet(capacity > 0 ? capacity - 1 : 0, '\0');
  const auto outcome = reader_.ReadPacket(*port_, packet, Deadline(PacketLimit(waitSeconds)));
  switch (outcome.kind) {
    case PacketOutcome::Packet:
      if (capacity == 0) return 1;  // not even room for the terminator
      std::memcpy(reply, packet.data(), outcome.size);
      reply[outcome.size] = '\0';
      *length = static_cast<int>(outcome.size);
      return 0;
    case PacketOutcome::Signal: NoteSignal(outcome.signal); return 1;
    case PacketOutcome::Closed: NoteError(PortError::Closed); return 1;
    default: return 1;
  }
}

void PadSession::ClearCall() {
  const auto cleared = [](std::string_view line) {
    if (line == "CLR CONF" || line == "CLR ERR") return Verdict::Success;
    return CarrierOnly(line);
  };
  if (DiscardStale() && Send(std::string(1, kDle) + "CLR\r") &&
      AwaitLine(cleared, kCommandLimit).kind == WaitOutcome::Success) {
    AwaitPrompt(CarrierOnly, kCommandLimit);
  }
  callUp_ = false;
}

void PadSession::EscapeToCommandMode() {
  const Milliseconds guard = GuardTime();
  DiscardStale();
  std::this_thread::sleep_for(guard);
  if (Send("+++")) {
    std::this_thread::sleep_for(guard);
    AwaitLine(OkOrError, kCommandLimit);
  }
}

int PadSession::Shut() {
  if (!port_) return 1;
  if (callUp_) ClearCall();
  if (lineUp_) EscapeToCommandMode();
  if (!deviceGone_) {
    port_->WatchCarrier(false);
    AtCommand("ATH0\r", kCommandLimit);
    port_->DropDtr();
  }
  lineUp_ = callUp_ = false;
  const bool closed = port_->Close();
  port_.reset();
  reader_ = LineReader();
  deviceGone_ = false;
  return closed ? 1 : 0;
}

}  // namespace lumvex::pad
