#pragma once

#include <QDialog>
#include <filesystem>
#include <memory>

#include "link/lzw_uncompress_step.h"

namespace Ui {
class CUncompressDlg;
}

namespace lumvex::ui {

// "Uncompress": the file's name and a bar of 0 to 500 in steps of 10. It
// takes no input; the uncompress step opens and closes it.
class CUncompressDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CUncompressDlg(int dayOfYear, QWidget* parent = nullptr);
  ~CUncompressDlg() override;

  void Step();
  int value() const;
  // Where the bar of the last dialog stood when it closed (for tests).
  static int LastFinalValue();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void reject() override {}  // no Escape: it closes by itself

 private:
  std::unique_ptr<Ui::CUncompressDlg> ui_;
};

// The download's uncompress step in the window: the decode runs in the link
// work while the Uncompress dialog shows its progress; after a good decode
// the bar fills up at 50 ms a step, then the dialog closes.
class DialogUncompressStep : public QObject, public link::UncompressStep {
  Q_OBJECT

 public:
  DialogUncompressStep(std::filesystem::path storeRoot, QWidget* dialogParent);
  link::UncompressResult Uncompress(std::string_view serviceCode, int dayOfYear) override;
  // The 50 ms steps the last good decode ended with (for the benchmark's floor).
  int finishingSteps() const { return finishingSteps_; }

 private:
  link::LzwUncompressStep decoder_;
  QWidget* parent_;
  int finishingSteps_ = 0;
};

}  // namespace lumvex::ui
