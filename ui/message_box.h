#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <vector>

class QWidget;

namespace lumvex::ui {

enum class BoxIcon { None, Exclamation, Information };

struct BoxRecord {
  QString caption;
  QString text;
  BoxIcon icon = BoxIcon::None;
  bool okCancel = false;
};

// Every message box of the window goes through here, so that tests can answer
// them without a modal loop.
class MessageBoxes {
 public:
  // OK only.
  static void Show(QWidget* parent, const QString& caption, const QString& text, BoxIcon icon);
  // OK and Cancel; true for OK.
  static bool Ask(QWidget* parent, const QString& caption, const QString& text, BoxIcon icon);
  // The exclamation beep that goes before warnings and questions.
  static void Beep();

  // While one exists, no box is shown: each is recorded, and questions take the
  // queued answers in turn (OK once the queue is empty).
  class TestHook {
   public:
    TestHook();
    ~TestHook();
    TestHook(const TestHook&) = delete;
    TestHook& operator=(const TestHook&) = delete;

    void SetNextAnswer(bool ok) { answers_.push_back(ok); }
    const std::vector<BoxRecord>& shown() const { return shown_; }
    QStringList texts() const;
    int beeps() const { return beeps_; }
    void Clear();

   private:
    friend class MessageBoxes;
    std::vector<BoxRecord> shown_;
    std::deque<bool> answers_;
    int beeps_ = 0;
  };

 private:
  static bool Run(QWidget* parent, const BoxRecord& box);
};

}  // namespace lumvex::ui
