// lumvex: the window of the bill-payment download client. No arguments; the
// working directory is the store.
#include <QApplication>

#include "ui/lumvex_app.h"
#include "ui/main_frame.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("lumvex"));
  QApplication::setDesktopFileName(QStringLiteral("lumvex"));
  auto frame = lumvex::ui::CLumvexApp::InitInstance();
  return QApplication::exec();
}
