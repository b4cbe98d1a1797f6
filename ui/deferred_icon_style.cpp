#include "ui/deferred_icon_style.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <functional>
#include <optional>

namespace lumvex::ui {
namespace {

// Asks the base style for the icon the first time anything about it is wanted.
class DeferredIconEngine final : public QIconEngine {
 public:
  explicit DeferredIconEngine(std::function<QIcon()> make) : make_(std::move(make)) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
  }
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return Icon().pixmap(size, 1.0, mode, state);
  }
  QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return Icon().actualSize(size, mode, state);
  }
  QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
    return Icon().availableSizes(mode, state);
  }
  QString iconName() override { return Icon().name(); }
  bool isNull() override { return Icon().isNull(); }
  QString key() const override { return QStringLiteral("lumvex.deferred"); }
  QIconEngine* clone() const override { return new DeferredIconEngine(*this); }

 private:
  QIcon& Icon() {
    if (!icon_) icon_ = make_();
    return *icon_;
  }

  std::function<QIcon()> make_;
  std::optional<QIcon> icon_;
};

class DeferredIconStyle final : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;

  QIcon standardIcon(StandardPixmap which, const QStyleOption* option, const QWidget* widget) const override {
    // The option is gone by the time the icon is drawn; keep what it says.
    std::optional<QStyleOption> copy;
    if (option != nullptr) copy = *option;
    QPointer<const QWidget> target(widget);
    QPointer<const DeferredIconStyle> self(this);
    return QIcon(new DeferredIconEngine([self, which, copy, target] {
      if (!self) return QIcon();
      return self->baseStyle()->standardIcon(which, copy ? &*copy : nullptr, target.data());
    }));
  }
};

}  // namespace

void InstallDeferredIconStyle() {
  QStyle* current = QApplication::style();
  if (current == nullptr || dynamic_cast<DeferredIconStyle*>(current) != nullptr) return;
  QStyle* base = QStyleFactory::create(current->name());
  if (base == nullptr) return;
  QApplication::setStyle(new DeferredIconStyle(base));
}

}  // namespace lumvex::ui
