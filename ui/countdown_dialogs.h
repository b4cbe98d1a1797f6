#pragma once

#include <QDialog>
#include <QString>
#include <deque>
#include <memory>
#include <vector>

namespace Ui {
class CErrorDlg;
class CConfirmDlg;
}  // namespace Ui

namespace lumvex::ui {

class Countdown;

// The results of the self-closing dialogs: 1 for OK, Confirm or the count
// running out; 2 for Cancel, Escape or the close box.
inline constexpr int kCountdownGoAhead = 1;
inline constexpr int kCountdownCancelled = 2;
inline constexpr int kCountdownSeconds = 30;

// A message that goes away by itself after 30 seconds. In information mode
// the caption is "ORQ Download Version 1.04" and no icon shows.
class CErrorDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CErrorDlg(QWidget* parent = nullptr);
  ~CErrorDlg() override;

  void SetMessage(const QString& text) { message_ = text; }
  void SetInformationMode(bool on) { informationMode_ = on; }
  // Each run counts 30 seconds afresh.
  int exec() override;

 private:
  std::unique_ptr<Ui::CErrorDlg> ui_;
  Countdown* countdown_;
  QString message_;
  bool informationMode_ = false;
};

// "Are you sure ?", confirmed by itself after 30 seconds.
class CConfirmDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CConfirmDlg(QWidget* parent = nullptr);
  ~CConfirmDlg() override;
  int exec() override;

 private:
  std::unique_ptr<Ui::CConfirmDlg> ui_;
  Countdown* countdown_;
};

struct CountdownRecord {
  bool confirm = false;      // CConfirmDlg, else CErrorDlg
  QString text;              // the message (empty for the question)
  bool information = false;  // CErrorDlg's information mode
};

// Every run of the two dialogs goes through here, so that tests can answer
// them without a modal loop.
class CountdownDialogs {
 public:
  static int ShowMessage(QWidget* parent, const QString& text, bool informationMode);
  // True to go ahead.
  static bool Confirm(QWidget* parent);

  // While one exists, no dialog is shown: each run is recorded, questions
  // take the queued answers in turn (go ahead once the queue is empty).
  class TestHook {
   public:
    TestHook();
    ~TestHook();
    TestHook(const TestHook&) = delete;
    TestHook& operator=(const TestHook&) = delete;

    void SetNextAnswer(bool goAhead) { answers_.push_back(goAhead); }
    const std::vector<CountdownRecord>& shown() const { return shown_; }
    QStringList texts() const;
    void Clear() { shown_.clear(); }

   private:
    friend class CountdownDialogs;
    std::vector<CountdownRecord> shown_;
    std::deque<bool> answers_;
  };
};

}  // namespace lumvex::ui
