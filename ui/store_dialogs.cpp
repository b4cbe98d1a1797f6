#include "ui/store_dialogs.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFont>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QValidator>

#include "ui/app_strings.h"
#include "ui/dialog_template.h"
#include "ui/icons.h"
#include "ui/message_box.h"
#include "print/thai_text.h"
#include "ui_add_service_code_dlg.h"
#include "ui_agent_page.h"
#include "ui_copy_dlg.h"
#include "ui_delete_dlg.h"
#include "ui_house_page.h"

namespace lumvex::ui {
namespace {

// Lower case as typed; only printable ASCII, since the name becomes a
// directory and a line of download.log in 8-bit text.
class ServiceCodeValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& /*pos*/) const override {
    for (const QChar c : input) {
      if (c.unicode() < 0x20 || c.unicode() > 0x7E) return Invalid;
    }
    input = input.toLower();
    return Acceptable;
  }
};

QString FileOf(const store::FileEntry& e) { return FromTis620(e.fileName); }
QString CodeOf(const store::FileEntry& e) { return FromTis620(e.serviceCode); }

}  // namespace

CAddServiceCodeDlg::CAddServiceCodeDlg(QWidget* parent) : QDialog(parent), ui_(new Ui::CAddServiceCodeDlg) {
  ui_->setupUi(this);
  ui_->newServiceCodeEdit->setValidator(new ServiceCodeValidator(ui_->newServiceCodeEdit));
  connect(ui_->okButton, &QPushButton::clicked, this, &QDialog::accept);
  connect(ui_->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
  FitTemplateLabels(this);
}

CAddServiceCodeDlg::~CAddServiceCodeDlg() = default;

std::string CAddServiceCodeDlg::code() const { return ui_->newServiceCodeEdit->text().toLatin1().toStdString(); }

CCopyDlg::CCopyDlg(const store::FileEntry& entry, QWidget* parent) : QDialog(parent), ui_(new Ui::CCopyDlg) {
  ui_->setupUi(this);
  ui_->copyQuestionLabel->setText(
      QStringLiteral("Copy  :   File '%1' in Service Code '%2'").arg(FileOf(entry), CodeOf(entry)));
  connect(ui_->okButton, &QPushButton::clicked, this, &CCopyDlg::accept);
  connect(ui_->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
  FitTemplateLabels(this);
}

CCopyDlg::~CCopyDlg() = default;

std::string CCopyDlg::destination() const { return QFile::encodeName(ui_->destinationEdit->text()).toStdString(); }

void CCopyDlg::accept() {
  if (ui_->destinationEdit->text().isEmpty()) {
    MessageBoxes::Beep();
    MessageBoxes::Show(this, kErrorCaption, QStringLiteral("Please input file name to copy."), BoxIcon::Exclamation);
    ui_->destinationEdit->setFocus();
    return;
  }
  QDialog::accept();
}

CDeleteDlg::CDeleteDlg(const store::FileEntry& entry, QWidget* parent) : QDialog(parent), ui_(new Ui::CDeleteDlg) {
  ui_->setupUi(this);
  ui_->deleteIcon->setPixmap(LoadIcon("delete_page").pixmap(ui_->deleteIcon->size()));
  ui_->deleteQuestionLabel->setText(
      QStringLiteral("Are you sure to delete file '%1' in Service Code '%2' ?").arg(FileOf(entry), CodeOf(entry)));
  connect(ui_->okButton, &QPushButton::clicked, this, &QDialog::accept);
  connect(ui_->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
  FitTemplateLabels(this);
}

CDeleteDlg::~CDeleteDlg() = default;

void CDeleteDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!beeped_) MessageBoxes::Beep();
  beeped_ = true;
}

CHouse::CHouse(const store::FileEntry& entry, QWidget* parent) : QWidget(parent), ui_(new Ui::CHouse) {
  ui_->setupUi(this);
  ui_->fileNameEdit->setText(FileOf(entry));
  ui_->serviceCodeEdit->setText(CodeOf(entry));
  ui_->descriptionEdit->setText(FromTis620(entry.description));
  FitTemplateLabels(this);
}

CHouse::~CHouse() = default;

CAgent::CAgent(const store::FileEntry& entry, QWidget* parent) : QWidget(parent), ui_(new Ui::CAgent) {
  ui_->setupUi(this);
  ui_->datePrepareEdit->setText(FromTis620(entry.datePrepare));
  ui_->dateRetrieveEdit->setText(FromTis620(entry.dateRetrieve));
  ui_->fileSizeEdit->setText(FromTis620(entry.fileSize));
  FitTemplateLabels(this);
}

CAgent::~CAgent() = default;

CPropertiesSheet::CPropertiesSheet(const store::FileEntry& entry, QWidget* parent)
    : QDialog(parent), tabs_(new QTabWidget(this)) {
  setObjectName(QStringLiteral("dataPropertiesSheet"));
  setWindowTitle(QStringLiteral("Data Properties"));
  setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
  auto* house = new CHouse(entry, tabs_);
  auto* agent = new CAgent(entry, tabs_);
  tabs_->addTab(house, house->windowTitle());
  tabs_->addTab(agent, agent->windowTitle());
  tabs_->setUsesScrollButtons(false);  // both page titles in full
  // The standard buttons of a property sheet; nothing here can be applied.
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
  buttons->button(QDialogButtonBox::Apply)->setEnabled(false);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace lumvex::ui
