#include "core/recording_message_port.h"

namespace lumvex {

void RecordingMessagePort::Show(MessageStyle style, std::string_view text) {
  messages_.push_back({style, std::string(text)});
}

bool RecordingMessagePort::Confirm(std::string_view text) {
  questions_.emplace_back(text);
  if (answers_.empty()) return true;
  const bool answer = answers_.front();
  answers_.pop_front();
  return answer;
}

void RecordingMessagePort::SetStatus(std::string_view text) { statuses_.emplace_back(text); }

std::vector<std::string> RecordingMessagePort::texts() const {
  std::vector<std::string> result;
  result.reserve(messages_.size());
  for (const auto& m : messages_) result.push_back(m.text);
  return result;
}

void RecordingMessagePort::Clear() {
  messages_.clear();
  questions_.clear();
  statuses_.clear();
  answers_.clear();
}

}  // namespace lumvex
