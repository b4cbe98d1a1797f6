#include "ui/main_frame.h"

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <utility>

#include "ui/about_dialog.h"
#include "ui/app_strings.h"
#include "ui/icons.h"
#include "ui/link_commands.h"
#include "ui/lock_keys.h"
#include "ui/report_commands.h"
#include "ui/lumvex_view.h"
#include "ui/store_commands.h"

namespace lumvex::ui {
namespace {



const QString kPaneNames[4] = {QStringLiteral("promptPane"), QStringLiteral("viewStatusPane"),
                               QStringLiteral("capsLockPane"), QStringLiteral("numLockPane")};

}  // namespace

CMainFrame::CMainFrame(const Clock& clock, QWidget* parent)
    : QMainWindow(parent), clock_(clock), messages_(this), workspace_(app::RecordStoreRoot(), messages_, clock) {
  setObjectName(QStringLiteral("mainWindow"));
  setWindowTitle(QString::fromLatin1(kWindowTitle));
  setWindowIcon(LoadIcon("lumvex"));
  commands_ = new CommandSet(this);
  commands_->SetStateSource([this] { return CurrentState(); });
  OnCreate();
  CreateView();
  RegisterHandlers();
  view_->OnInitialUpdate();
  commands_->Refresh();
}

// The view shows the workspace, a member, which goes before the base class
// would delete the view.
CMainFrame::~CMainFrame() { delete std::exchange(view_, nullptr); }

void CMainFrame::OnCreate() {
  commands_->FillMenuBar(menuBar());

  QStatusBar* bar = statusBar();
  bar->setObjectName(QStringLiteral("statusBar"));
  bar->setSizeGripEnabled(true);
  for (int i = 0; i < 4; ++i) {
    panes_[i] = new QLabel(bar);
    panes_[i]->setObjectName(kPaneNames[i]);
    panes_[i]->setFrameShape(QFrame::Panel);
    panes_[i]->setFrameShadow(QFrame::Sunken);
  }
  panes_[0]->setText(QString::fromLatin1(kIdleText));
  panes_[0]->setMinimumWidth(180);
  bar->addWidget(panes_[0]);
  bar->addWidget(panes_[1], 1);
  for (int i = 2; i < 4; ++i) {
    panes_[i]->setAlignment(Qt::AlignCenter);
    panes_[i]->setMinimumWidth(panes_[i]->fontMetrics().horizontalAdvance(QStringLiteral("CAPS")) + 8);
    bar->addPermanentWidget(panes_[i]);
  }
  auto* lockKeys = new LockKeyIndicators(panes_[2], panes_[3], this);
  lockKeys->Update();

  toolBar_ = new QToolBar(QStringLiteral("Toolbar"), this);
  toolBar_->setObjectName(QStringLiteral("toolBar"));
  toolBar_->setIconSize(QSize(32, 32));
  toolBar_->setAllowedAreas(Qt::AllToolBarAreas);
  toolBar_->setMovable(true);
  commands_->FillToolBar(toolBar_);
  addToolBar(Qt::TopToolBarArea, toolBar_);
  connect(toolBar_, &QToolBar::visibilityChanged, commands_, &CommandSet::Refresh);
}

void CMainFrame::CreateView() {
  view_ = new CLumvexView(workspace_, this);
  setCentralWidget(view_);
  messages_.SetStatusSink([this](const QString& text) { panes_[1]->setText(text); });
  connect(view_, &CLumvexView::statusTextChanged, panes_[1], &QLabel::setText);
  connect(view_, &CLumvexView::selectionChanged, commands_, &CommandSet::Refresh);
  connect(view_, &CLumvexView::popupMenuRequested, this, &CMainFrame::ShowPopupMenu);
  view_->Create();
  storeCommands_ = std::make_unique<StoreCommands>(*view_, this);
  linkCommands_ = std::make_unique<LinkCommands>(*view_, this);
  reportCommands_ = std::make_unique<ReportCommands>(*view_, printer(), this);
}

void CMainFrame::RegisterHandlers() {
  CommandSet& c = *commands_;
  StoreCommands& store = *storeCommands_;
  c.SetHandler(CommandId::AddServiceCode, [&store] { store.AddServiceCode(); });
  c.SetHandler(CommandId::DeleteServiceCode, [&store] { store.DeleteServiceCode(); });
  c.SetHandler(CommandId::Delete, [&store] { store.DeleteFile(); });
  c.SetHandler(CommandId::Copy, [&store] { store.CopyFile(); });
  c.SetHandler(CommandId::Properties, [&store] { store.Properties(); });
  c.SetHandler(CommandId::Import, [&store] { store.Import(); });
  LinkCommands& link = *linkCommands_;
  c.SetHandler(CommandId::Download, [&link] { link.Download(); });
  c.SetHandler(CommandId::ChangePassword, [&link] { link.ChangePassword(); });
  c.SetHandler(CommandId::SetDevice, [&link] { link.SetDevice(); });

  CLumvexView* v = view_;
  c.SetHandler(CommandId::LargeIconView, [v] { v->SetViewMode(ViewMode::LargeIcon); });
  c.SetHandler(CommandId::SmallIconView, [v] { v->SetViewMode(ViewMode::SmallIcon); });
  c.SetHandler(CommandId::ListView, [v] { v->SetViewMode(ViewMode::List); });
  c.SetHandler(CommandId::DetailsView, [v] { v->SetViewMode(ViewMode::Report); });
  c.SetHandler(CommandId::SortByName, [v] { v->SortBy(0); });
  c.SetHandler(CommandId::SortByDatePrepare, [v] { v->SortBy(3); });
  c.SetHandler(CommandId::SortByDateRetrieve, [v] { v->SortBy(4); });
  c.SetHandler(CommandId::SortBySize, [v] { v->SortBy(5); });

  c.SetHandler(CommandId::ViewToolbar, [this] { toolBar_->setVisible(toolBar_->isHidden()); });
  c.SetHandler(CommandId::ViewStatusBar, [this] { statusBar()->setVisible(statusBar()->isHidden()); });
  c.SetHandler(CommandId::Exit, [this] { close(); });
  ReportCommands& reports = *reportCommands_;
  c.SetHandler(CommandId::PrintSetup, [&reports] { reports.PrintSetup(); });
  c.SetHandler(CommandId::ReportView, [&reports] { reports.ViewReport(); });
  c.SetHandler(CommandId::Print, [&reports] { reports.Print(); });
  c.SetHandler(CommandId::PrintPreview, [&reports] { reports.PrintPreview(); });
  c.SetHandler(CommandId::About, [this] {
    CAboutDlg dialog(this);
    dialog.exec();
  });
  c.SetHandler(CommandId::SetProgram, [this, v] {
    messages_.Show(MessageStyle::Plain, "Please Contact ORQ for New Version Download");
    v->FocusList();
  });
}

CommandState CMainFrame::CurrentState() const {
  CommandState state;
  if (view_ != nullptr) {
    state.selectedRow = view_->selectedRow();
    state.selectedServiceCode = view_->selectedServiceCode();
    state.modeLabel = view_->modeLabel();
  }
  // Hidden with the window itself, the bars still count as shown.
  state.toolbarShown = toolBar_ != nullptr && !toolBar_->isHidden();
  state.statusBarShown = !statusBar()->isHidden();
  return state;
}

QLabel* CMainFrame::statusPane(int index) const { return index >= 0 && index < 4 ? panes_[index] : nullptr; }

QPrinter& CMainFrame::printer() {
  if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  return *printer_;
}

QMenu* CMainFrame::CreateHousePopupMenu() { return commands_->CreateHousePopupMenu(this); }

void CMainFrame::ShowPopupMenu(const QPoint& globalPos) {
  QMenu* popup = CreateHousePopupMenu();
  popup->setAttribute(Qt::WA_DeleteOnClose);
  popup->popup(globalPos);
}

bool CMainFrame::event(QEvent* event) {
  // Prompts go to pane 0 only, so pane 1 keeps the view's status meanwhile.
  if (event->type() == QEvent::StatusTip) {
    const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
    panes_[0]->setText(tip.isEmpty() ? QString::fromLatin1(kIdleText) : tip);
    return true;
  }
  return QMainWindow::event(event);
}

}  // namespace lumvex::ui
