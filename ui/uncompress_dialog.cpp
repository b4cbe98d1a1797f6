#include "ui/uncompress_dialog.h"

#include <QCloseEvent>
#include <algorithm>
#include <thread>

#include "lzw/uncompress_progress.h"
#include "print/thai_text.h"
#include "ui/link_work.h"
#include "ui_uncompress_dlg.h"

namespace lumvex::ui {
namespace {

int lastFinalValue = 0;

}  // namespace

CUncompressDlg::CUncompressDlg(int dayOfYear, QWidget* parent) : QDialog(parent), ui_(new Ui::CUncompressDlg) {
  ui_->setupUi(this);
  setWindowFlag(Qt::WindowCloseButtonHint, false);
  ui_->statusLabel->setText(FromTis620(lzw::UncompressStatusText(dayOfYear)));
}

CUncompressDlg::~CUncompressDlg() = default;

void CUncompressDlg::Step() {
  ui_->progressBar->setValue(std::min(ui_->progressBar->value() + lzw::kProgressBarStep, lzw::kProgressBarMaximum));
}

int CUncompressDlg::value() const { return ui_->progressBar->value(); }
int CUncompressDlg::LastFinalValue() { return lastFinalValue; }

void CUncompressDlg::closeEvent(QCloseEvent* event) {
  lastFinalValue = value();
  QDialog::closeEvent(event);
}

DialogUncompressStep::DialogUncompressStep(std::filesystem::path storeRoot, QWidget* dialogParent)
    : decoder_(std::move(storeRoot)), parent_(dialogParent) {}

link::UncompressResult DialogUncompressStep::Uncompress(std::string_view serviceCode, int dayOfYear) {
  CUncompressDlg* dialog = nullptr;
  RunOnThreadOf(this, [&] {
    dialog = new CUncompressDlg(dayOfYear, parent_);
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->show();
  });
  const auto step = [dialog] { QMetaObject::invokeMethod(dialog, &CUncompressDlg::Step, Qt::QueuedConnection); };
  lzw::UncompressProgress progress(step);
  const link::UncompressResult result = decoder_.Uncompress(serviceCode, dayOfYear, progress.Hook());
  finishingSteps_ = result.ok ? progress.RemainingSteps() : 0;
  if (result.ok) {
    for (int i = progress.RemainingSteps(); i > 0; --i) {
      std::this_thread::sleep_for(lzw::kFinishingStepInterval);
      step();
    }
  }
  // Queued after the last step, so the bar shows it before the dialog goes.
  RunOnThreadOf(this, [&] {
    dialog->close();
    delete dialog;
  });
  return result;
}

}  // namespace lumvex::ui
