#include "pad/line_reader.h"

#include <algorithm>

namespace lumvex::pad {

namespace {

constexpr char kEtx = '\x03';

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

WaitOutcome::Kind WaitKindOf(PortError error) {
  switch (error) {
    case PortError::Timeout: return WaitOutcome::Timeout;
    case PortError::Closed: return WaitOutcome::Closed;
    default: return WaitOutcome::Error;
  }
}

PacketOutcome::Kind PacketKindOf(PortError error) {
  switch (error) {
    case PortError::Timeout: return PacketOutcome::Timeout;
    case PortError::Closed: return PacketOutcome::Closed;
    default: return PacketOutcome::Error;
  }
}

}  // namespace

bool IsCallSignal(std::string_view line) { return line == "CLR" || line.starts_with("CLR "); }
bool IsCarrierLost(std::string_view line) { return line == "NO CARRIER"; }

bool LineReader::TakeLine(std::string& line) {
  const auto start = pending_.find_first_not_of("\r\n");
  if (start == std::string::npos) {
    pending_.clear();
    return false;
  }
  const auto end = pending_.find_first_of("\r\n", start);
  if (end == std::string::npos) {
    pending_.erase(0, start);
    return false;
  }
  line.assign(pending_, start, end - start);
  pending_.erase(0, end + 1);
  return true;
}

bool LineReader::TakePrompt() {
  const auto start = pending_.find_first_not_of("\r\n");
  if (start == std::string::npos || pending_.compare(start, std::string::npos, "*") != 0) return false;
  pending_.clear();
  return true;
}

PortError LineReader::Fill(SerialPort& port, const Deadline& deadline) {
  char chunk[512];
  const auto read = port.Read(chunk, deadline);
  if (read.error == PortError::None) pending_.append(chunk, read.size);
  return read.error;
}

WaitOutcome LineReader::AwaitLine(SerialPort& port, const LineJudge& judge, const Deadline& deadline) {
  for (;;) {
    std::string line;
    while (TakeLine(line)) {
      const Verdict verdict = judge(line);
      if (verdict == Verdict::Success) return {WaitOutcome::Success, line};
      if (verdict == Verdict::Failure) return {WaitOutcome::Failure, line};
    }
    if (const PortError error = Fill(port, deadline); error != PortError::None) {
      return {WaitKindOf(error), {}};
    }
  }
}

WaitOutcome LineReader::AwaitPrompt(SerialPort& port, const LineJudge& judge, const Deadline& deadline) {
  for (;;) {
    std::string line;
    while (TakeLine(line)) {
      // Some PADs frame the prompt as a line of its own.
      if (line == "*") return {WaitOutcome::Success, "*"};
      if (judge(line) == Verdict::Failure) return {WaitOutcome::Failure, line};
    }
    if (TakePrompt()) return {WaitOutcome::Success, "*"};
    if (const PortError error = Fill(port, deadline); error != PortError::None) {
      return {WaitKindOf(error), {}};
    }
  }
}

PacketOutcome LineReader::ReadPacket(SerialPort& port, std::span<char> into, const Deadline& deadline) {
  bool started = false;   // packet bytes have begun
  bool inSignal = false;  // a line began where a packet should
  std::size_t size = 0;
  for (;;) {
    if (!started && !pending_.empty() && (inSignal || IsLineEnd(pending_.front()))) {
      // A packet never begins with CR: a line here is a service signal.
      inSignal = true;
      std::string line;
      if (TakeLine(line)) {
        inSignal = false;
        if (IsCallSignal(line) || IsCarrierLost(line)) return {PacketOutcome::Signal, 0, line};
        continue;
      }
      inSignal = !pending_.empty();
    } else if (!pending_.empty()) {
      started = true;
      const auto etx = pending_.find(kEtx);
      const std::size_t take = etx == std::string::npos ? pending_.size() : etx;
      if (size < into.size()) {
        const std::size_t stored = std::min(take, into.size() - size);
        std::copy_n(pending_.data(), stored, into.data() + size);
      }
      size += take;
      pending_.erase(0, etx == std::string::npos ? take : take + 1);
      if (etx != std::string::npos) {
        return {size <= into.size() ? PacketOutcome::Packet : PacketOutcome::TooLong, size, {}};
      }
    }
    if (const PortError error = Fill(port, deadline); error != PortError::None) {
      return {PacketKindOf(error), size, {}};
    }
  }
}

LineReader::Discarded LineReader::DiscardPending(SerialPort& port) {
  Discarded result;
  result.error = port.ReadPending(pending_).error;
  // Walk the bytes as data transfer would: packets to their ETX, and lines
  // at a packet's start, which are service signals.
  std::size_t at = 0;
  while (at < pending_.size()) {
    if (IsLineEnd(pending_[at])) {
      const auto start = pending_.find_first_not_of("\r\n", at);
      if (start == std::string::npos) break;
      const auto end = pending_.find_first_of("\r\n", start);
      if (end == std::string::npos) break;
      const std::string_view line(pending_.data() + start, end - start);
      if (IsCallSignal(line) || IsCarrierLost(line)) result.signals.emplace_back(line);
      at = end;
    } else {
      const auto etx = pending_.find(kEtx, at);
      if (etx == std::string::npos) break;
      at = etx + 1;
    }
  }
  pending_.clear();
  return result;
}

}  // namespace lumvex::pad
