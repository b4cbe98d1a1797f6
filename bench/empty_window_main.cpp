// The baselines of the start-up benchmark: a program that shows an empty
// QMainWindow maximized, paints it once and exits. With --ready its status
// bar shows "Ready", which is what first loads the font database.
#include <QApplication>
#include <QMainWindow>
#include <QStatusBar>
#include <string_view>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  if (argc == 2 && std::string_view(argv[1]) == "--ready") window.statusBar()->showMessage(QStringLiteral("Ready"));
  window.showMaximized();
  window.repaint();
  QCoreApplication::processEvents();
  return 0;
}
