#include "ui/lock_keys.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>

namespace lumvex::ui {

// Xlib's macros clash with Qt's names, so its one use comes last in this file.
unsigned IndicatorState();

LockKeyIndicators::LockKeyIndicators(QLabel* capsPane, QLabel* numPane, QObject* parent)
    : QObject(parent), caps_(capsPane), num_(numPane) {
  qGuiApp->installEventFilter(this);
}

void LockKeyIndicators::Update() {
  const unsigned state = IndicatorState();
  caps_->setText((state & 1U) != 0 ? QStringLiteral("CAP") : QString());
  num_->setText((state & 2U) != 0 ? QStringLiteral("NUM") : QString());
}

bool LockKeyIndicators::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyRelease) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_CapsLock || key == Qt::Key_NumLock) QTimer::singleShot(0, this, &LockKeyIndicators::Update);
  } else if (event->type() == QEvent::ApplicationActivate) {
    Update();
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace lumvex::ui

#ifdef LUMVEX_HAVE_X11
#include <X11/XKBlib.h>
#endif

namespace lumvex::ui {

// Bit 0 of the indicator state is Caps Lock, bit 1 Num Lock, on every X server.
unsigned IndicatorState() {
#ifdef LUMVEX_HAVE_X11
  if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()) {
    if (Display* display = x11->display()) {
      unsigned state = 0;
      if (XkbGetIndicatorState(display, XkbUseCoreKbd, &state) == Success) return state;
    }
  }
#endif
  return 0;
}

}  // namespace lumvex::ui
