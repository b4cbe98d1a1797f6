#include "ui/lumvex_app.h"

#include <QFont>
#include <QGuiApplication>
#include <QScreen>

#include "ui/deferred_icon_style.h"
#include "ui/main_frame.h"

namespace lumvex::ui {

std::unique_ptr<CMainFrame> CLumvexApp::InitInstance(const Clock& clock) {
  // The fonts the reports name, mapped onto a Thai-capable monospace font.
  QFont::insertSubstitution(QStringLiteral("Courier"), QStringLiteral("Tlwg Mono"));
  QFont::insertSubstitution(QStringLiteral("Morvane98"), QStringLiteral("Tlwg Typo"));
  InstallDeferredIconStyle();
  auto frame = std::make_unique<CMainFrame>(clock);
  // Fill the screen also where no window manager carries out the maximize.
  if (const QScreen* screen = QGuiApplication::primaryScreen()) frame->setGeometry(screen->availableGeometry());
  frame->showMaximized();
  frame->repaint();
  return frame;
}

}  // namespace lumvex::ui
