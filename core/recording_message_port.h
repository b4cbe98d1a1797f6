#pragma once

#include <deque>
#include <string>
#include <vector>

#include "core/message_port.h"

namespace lumvex {

// A message port that remembers everything it was asked to show and answers
// questions from a queue (yes when the queue is empty). For tests and for
// callers that report messages later, such as the command-line tool.
class RecordingMessagePort : public MessagePort {
 public:
  struct Message {
    MessageStyle style;
    std::string text;
    bool operator==(const Message&) const = default;
  };

  void Show(MessageStyle style, std::string_view text) override;
  bool Confirm(std::string_view text) override;
  void SetStatus(std::string_view text) override;

  void QueueAnswer(bool answer) { answers_.push_back(answer); }

  const std::vector<Message>& messages() const { return messages_; }
  std::vector<std::string> texts() const;
  const std::vector<std::string>& questions() const { return questions_; }
  const std::vector<std::string>& statuses() const { return statuses_; }
  void Clear();

 private:
  std::vector<Message> messages_;
  std::vector<std::string> questions_;
  std::vector<std::string> statuses_;
  std::deque<bool> answers_;
};

}  // namespace lumvex
