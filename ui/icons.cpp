#include "ui/icons.h"

#include <QFile>
#include <QGuiApplication>
#include <QIconEngine>
#include <QImageReader>
#include <QPaintDevice>
#include <QPainter>
#include <QPixmap>
#include <algorithm>
#include <iterator>
#include <vector>

namespace lumvex::ui {
namespace {

// The pixel sizes the build rendered every icon at, ascending.
constexpr int kSizes[] = {LUMVEX_ICON_SIZES};
static_assert(std::is_sorted(std::begin(kSizes), std::end(kSizes)));

QString PathOf(const QString& name, int size) { return QStringLiteral(":/icons/%1/%2.png").arg(name).arg(size); }

// Read as PNG and nothing else: guessing the format would load every
// image-format plugin on the first icon drawn.
QPixmap Decode(const QString& path) {
  QImageReader reader(path, "png");
  reader.setAutoDetectImageFormat(false);
  return QPixmap::fromImage(reader.read());
}

// The smallest rendered size that covers `size`, as Qt's pixmap engine would
// choose it, else the largest.
int BestSize(const QSize& size) {
  const qint64 area = qint64{size.width()} * size.height();
  const auto it = std::find_if(std::begin(kSizes), std::end(kSizes),
                               [area](int s) { return qint64{s} * s >= area; });
  return it != std::end(kSizes) ? *it : kSizes[std::size(kSizes) - 1];
}

// Decodes a rendered size only when it is first drawn; an icon has nine of
// them and most are never shown. Drawing itself is left to Qt's pixmap engine
// (inside `loaded_`), so modes it derives, such as Disabled, look as usual.
class RenderedIconEngine final : public QIconEngine {
 public:
  RenderedIconEngine(QString normal, QString selected) : normal_(std::move(normal)), selected_(std::move(selected)) {}

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    Load(size);
    return loaded_.pixmap(size, 1.0, mode, state);
  }

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    const QPaintDevice* device = painter->device();
    const qreal scale = device != nullptr ? device->devicePixelRatio() : qGuiApp->devicePixelRatio();
    painter->drawPixmap(rect, pixmap(rect.size() * scale, mode, state));
  }

  QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
    const int best = BestSize(size);
    QSize actual(best, best);
    if (best > size.width() || best > size.height()) actual.scale(size, Qt::KeepAspectRatio);
    return actual;
  }

  QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
    const bool has = state == QIcon::Off && (mode == QIcon::Normal || (mode == QIcon::Selected && !selected_.isEmpty()));
    QList<QSize> sizes;
    if (has) {
      for (const int s : kSizes) sizes.append(QSize(s, s));
    }
    return sizes;
  }

  bool isNull() override { return false; }
  QString key() const override { return QStringLiteral("lumvex.rendered"); }
  QIconEngine* clone() const override { return new RenderedIconEngine(*this); }

 private:
  void Load(const QSize& size) {
    const int best = BestSize(size);
    if (std::find(loadedSizes_.begin(), loadedSizes_.end(), best) != loadedSizes_.end()) return;
    loadedSizes_.push_back(best);
    loaded_.addPixmap(Decode(PathOf(normal_, best)), QIcon::Normal);
    if (!selected_.isEmpty()) loaded_.addPixmap(Decode(PathOf(selected_, best)), QIcon::Selected);
  }

  QString normal_;
  QString selected_;
  QIcon loaded_;
  std::vector<int> loadedSizes_;
};

QString Name(std::string_view name) {
  return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

bool Rendered(const QString& name) { return QFile::exists(PathOf(name, kSizes[0])); }

}  // namespace

QIcon LoadIcon(std::string_view name, std::string_view selected) {
  const QString normal = Name(name);
  const QString other = Name(selected);
  if (!Rendered(normal) || (!other.isEmpty() && !Rendered(other))) return {};
  return QIcon(new RenderedIconEngine(normal, other));
}

}  // namespace lumvex::ui
