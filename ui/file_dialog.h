#pragma once

#include <QString>
#include <deque>
#include <optional>

class QWidget;

namespace lumvex::ui {

// The standard file-open dialog, behind a seam that tests answer.
class FileDialogs {
 public:
  // The chosen file's full path; empty when the user cancelled.
  static QString GetOpenFileName(QWidget* parent, const QString& caption, const QString& filter);

  // While one exists, no dialog is shown: each call takes the next queued name
  // (an empty name is a cancel) and records the filter it was given.
  class TestHook {
   public:
    TestHook();
    ~TestHook();
    TestHook(const TestHook&) = delete;
    TestHook& operator=(const TestHook&) = delete;

    void SetNextFileName(const QString& path) { names_.push_back(path); }
    const QString& lastFilter() const { return lastFilter_; }
    int calls() const { return calls_; }

   private:
    friend class FileDialogs;
    std::deque<QString> names_;
    QString lastFilter_;
    int calls_ = 0;
  };
};

}  // namespace lumvex::ui
