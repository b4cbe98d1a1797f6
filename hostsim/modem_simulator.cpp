#include "hostsim/modem_simulator.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace lumvex::hostsim {

namespace {

constexpr std::size_t kMaxCommandLine = 256;

std::string Upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

// The number as the modem dials it: after an optional T or P, commas removed.
std::string DialledNumber(std::string_view rest) {
  if (!rest.empty() && (rest.front() == 'T' || rest.front() == 'P')) rest.remove_prefix(1);
  std::string number;
  for (char c : rest) {
    if (c != ',' && c != ' ') number += c;
  }
  return number;
}

}  // namespace

ModemSimulator::ModemSimulator(ModemOptions options, PadSimulator& pad, Outbox& outbox)
    : options_(std::move(options)), pad_(pad), outbox_(outbox) {}

void ModemSimulator::Reset() {
  lineUp_ = online_ = false;
  echo_ = true;
  line_.clear();
  heldPluses_.clear();
  escapeAt_.reset();
  pad_.Disconnect();
}

void ModemSimulator::HangUp() { Reset(); }

void ModemSimulator::DropCarrier(SimClock::time_point when) {
  const bool echo = echo_;
  Reset();
  echo_ = echo;
  outbox_.Send("\r\nNO CARRIER\r\n", when);
}

void ModemSimulator::Result(std::string_view text, SimClock::time_point now) {
  outbox_.Send("\r\n" + std::string(text) + "\r\n", now);
}

void ModemSimulator::Receive(std::string_view bytes, SimClock::time_point now) {
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (online_) {
      OnlineBytes(bytes.substr(i), now);
      break;
    }
    CommandByte(bytes[i], now);
  }
  if (!bytes.empty()) lastByteAt_ = now;
}

void ModemSimulator::OnlineBytes(std::string_view bytes, SimClock::time_point now) {
  std::string toPad;
  for (char c : bytes) {
    // "+++" counts only after a silence of the guard time, and only when no
    // byte follows within the guard time (checked by Tick).
    const bool opensEscape = heldPluses_.empty() && now - lastByteAt_ >= options_.guard && toPad.empty();
    if (c == '+' && heldPluses_.size() < 3 && (opensEscape || !heldPluses_.empty())) {
      heldPluses_ += c;
      if (heldPluses_.size() == 3) escapeAt_ = now + options_.guard;
      continue;
    }
    toPad += std::exchange(heldPluses_, {});
    escapeAt_.reset();
    toPad += c;
  }
  if (!toPad.empty()) pad_.Receive(toPad, now);
}

void ModemSimulator::Tick(SimClock::time_point now) {
  if (!escapeAt_ || now < *escapeAt_) return;
  escapeAt_.reset();
  heldPluses_.clear();
  online_ = false;
  Result("OK", now);
}

void ModemSimulator::CommandByte(char c, SimClock::time_point now) {
  if (echo_) outbox_.Send(std::string_view(&c, 1), now);
  if (c == '\r') {
    Command(std::exchange(line_, {}), now);
  } else if (c != '\n' && line_.size() < kMaxCommandLine) {
    line_ += c;
  }
}

void ModemSimulator::Command(std::string line, SimClock::time_point now) {
  const std::string command = Upper(std::move(line));
  if (!command.starts_with("AT")) return;  // noise between commands
  const std::string_view rest = std::string_view(command).substr(2);
  if (rest.starts_with("D")) return Dial(rest.substr(1), now);
  if (rest == "Z") {
    Reset();
    return Result("OK", now);
  }
  if (rest == "H" || rest == "H0") {
    lineUp_ = false;
    pad_.Disconnect();
    return Result("OK", now);
  }
  if (rest == "O" || rest == "O0") {
    if (!lineUp_) return Result("NO CARRIER", now);
    online_ = true;
    return Result("CONNECT " + std::to_string(options_.lineRate), now);
  }
  if (rest.find("E0") != std::string_view::npos) echo_ = false;
  if (rest.find("E1") != std::string_view::npos) echo_ = true;
  Result("OK", now);
}

void ModemSimulator::Dial(std::string_view rest, SimClock::time_point now) {
  if (lineUp_) return Result("ERROR", now);
  const std::string number = DialledNumber(rest);
  if (number.empty()) return Result("ERROR", now);
  if (options_.dialResult) return Result(*options_.dialResult, now);
  if (options_.number && number != *options_.number) return Result("NO ANSWER", now);
  lineUp_ = online_ = true;
  lastByteAt_ = now;
  Result("CONNECT " + std::to_string(options_.lineRate), now);
  pad_.Connect();
}

}  // namespace lumvex::hostsim
