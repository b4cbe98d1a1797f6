#include "hostsim/pad_simulator.h"

#include <algorithm>
#include <cctype>
#include <utility>
#include <charconv>

namespace lumvex::hostsim {

namespace {

constexpr char kEtx = '\x03';
constexpr char kDle = '\x10';
constexpr std::size_t kMaxPacket = 4096;
constexpr std::size_t kMaxCommandLine = 256;
constexpr std::string_view kHerald = "HOSTSIM X.28 PAD";

std::string Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(' ');
  return std::string(text.substr(first, last - first + 1));
}

std::string Upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

}  // namespace

PadSimulator::PadSimulator(PadOptions options, Host& host, Outbox& outbox)
    : options_(std::move(options)), host_(host), outbox_(outbox) {}

void PadSimulator::Connect() {
  state_ = State::Detect;
  heraldSent_ = false;
  recallByDle_ = true;
  echo_ = true;
  line_.clear();
  packet_.clear();
}

void PadSimulator::Disconnect() { state_ = State::Offline; }

void PadSimulator::Say(std::string_view text, SimClock::time_point now) {
  outbox_.Send("\r\n" + std::string(text) + "\r\n", now);
}

void PadSimulator::Prompt(SimClock::time_point now) { outbox_.Send("\r\n*", now); }

void PadSimulator::Receive(std::string_view bytes, SimClock::time_point now) {
  if (options_.silent) return;
  for (char c : bytes) {
    switch (state_) {
      case State::Offline: return;
      case State::Detect:
        // The first CR only tells the PAD the terminal's speed.
        if (c == '\r') state_ = State::Command;
        break;
      case State::Command:
      case State::CallCommand: CommandByte(c, now); break;
      case State::Data: DataByte(c, now); break;
    }
  }
}

void PadSimulator::CommandByte(char c, SimClock::time_point now) {
  if (echo_ && c != kDle) outbox_.Send(std::string_view(&c, 1), now);
  if (c == '\r') {
    CommandLine(std::exchange(line_, {}), now);
  } else if (c != '\n' && c != kDle && line_.size() < kMaxCommandLine) {
    line_ += c;
  }
}

void PadSimulator::CommandLine(std::string line, SimClock::time_point now) {
  const std::string command = Upper(Trimmed(line));
  if (command.empty()) {
    if (state_ == State::CallCommand) {
      state_ = State::Data;  // back to data transfer, silently
    } else {
      if (!heraldSent_) Say(kHerald, now);
      heraldSent_ = true;
      Prompt(now);
    }
    return;
  }
  if (command.starts_with("SET ")) {
    if (!SetParameters(command.substr(4))) Say("ERR", now);
  } else if (command == "STAT") {
    Say(callUp() ? "ENGAGED" : "FREE", now);
  } else if (command == "CLR") {
    Say(callUp() ? "CLR CONF" : "CLR ERR", now);
    state_ = State::Command;
  } else if (command.find_first_not_of("0123456789") == std::string::npos && !callUp()) {
    if (options_.callRefusal) {
      Say("CLR " + *options_.callRefusal, now);
    } else if (command != options_.address) {
      Say("CLR NP", now);  // not obtainable
    } else {
      Say(command + " COM", now);
      state_ = State::Data;
      packet_.clear();
      host_.NewCall();
      return;  // data transfer: no prompt
    }
  } else {
    Say("ERR", now);
  }
  Prompt(now);
}

bool PadSimulator::SetParameters(std::string_view list) {
  bool recall = recallByDle_;
  bool echo = echo_;
  while (!list.empty()) {
    const auto comma = list.find(',');
    const std::string_view pair = list.substr(0, comma);
    list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
    const auto colon = pair.find(':');
    if (colon == std::string_view::npos) return false;
    int reference = 0;
    int value = 0;
    const auto r = std::from_chars(pair.data(), pair.data() + colon, reference);
    const auto v = std::from_chars(pair.data() + colon + 1, pair.data() + pair.size(), value);
    if (r.ec != std::errc() || r.ptr != pair.data() + colon || v.ec != std::errc() ||
        v.ptr != pair.data() + pair.size() || reference < 1 || reference > 22 || value < 0 || value > 255) {
      return false;
    }
    if (reference == 1) recall = value != 0;
    if (reference == 2) echo = value != 0;
  }
  recallByDle_ = recall;
  echo_ = echo;
  return true;
}

void PadSimulator::DataByte(char c, SimClock::time_point now) {
  if (c == kDle && recallByDle_) {
    state_ = State::CallCommand;
    line_.clear();
    Prompt(now);
  } else if (c == kEtx) {
    Packet(now);
  } else if (packet_.size() < kMaxPacket) {
    packet_ += c;
  }
}

void PadSimulator::Packet(SimClock::time_point now) {
  // An oversized packet is cut short, which the host refuses as malformed.
  const std::string request = std::exchange(packet_, {});
  const HostAnswer answer = host_.Answer(request);
  const auto when = now + options_.replyDelay;
  switch (answer.action) {
    case HostAnswer::Action::Reply: outbox_.Send(answer.reply + kEtx, when); break;
    case HostAnswer::Action::ClearCall:
      state_ = State::Command;
      outbox_.Send("\r\nCLR DTE\r\n\r\n*", when);
      break;
    case HostAnswer::Action::DropLine:
      if (dropLine) dropLine(when);
      break;
  }
}

}  // namespace lumvex::hostsim
