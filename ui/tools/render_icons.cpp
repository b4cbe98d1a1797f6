// Renders the window's SVG icons into PNGs at build time, so that the program
// starts without parsing SVG or looking up fonts for the text in an icon:
//   lumvex_render_icons <out-dir> <size>[,<size>...] <icon.svg>...
// writes <out-dir>/<name>/<size>.png for every icon and size. The pixels are
// the ones Qt's SVG icon engine would draw at that size.
#include <QDir>
#include <QFontDatabase>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QStringList>
#include <QSvgRenderer>
#include <cstdio>
#include <vector>

namespace {

int Fail(const QString& message) {
  std::fprintf(stderr, "lumvex_render_icons: %s\n", qPrintable(message));
  return 1;
}

std::vector<int> ParseSizes(const QString& text) {
  std::vector<int> sizes;
  for (const QString& part : text.split(QLatin1Char(','))) {
    bool ok = false;
    const int size = part.toInt(&ok);
    if (!ok || size <= 0 || size > 1024) return {};
    sizes.push_back(size);
  }
  return sizes;
}

QImage Render(QSvgRenderer& renderer, int size) {
  QImage image(QSize(size, size), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  renderer.render(&painter);
  return image;
}

int RenderIcon(const QString& svg, const std::vector<int>& sizes, const QDir& out) {
  QSvgRenderer renderer(svg);
  if (!renderer.isValid()) return Fail(svg + QStringLiteral(": not a valid SVG file"));
  // Icons are square; another shape would come out stretched.
  const QSize natural = renderer.defaultSize();
  if (natural.width() != natural.height()) return Fail(svg + QStringLiteral(": the icon is not square"));
  const QString name = QFileInfo(svg).completeBaseName();
  if (!out.mkpath(name)) return Fail(out.filePath(name) + QStringLiteral(": cannot make the directory"));
  for (const int size : sizes) {
    const QString png = out.filePath(QStringLiteral("%1/%2.png").arg(name).arg(size));
    if (!Render(renderer, size).save(png, "PNG")) return Fail(png + QStringLiteral(": cannot write"));
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);  // the text in an icon needs the font database
  const QStringList args = QGuiApplication::arguments();
  if (args.size() < 4) return Fail(QStringLiteral("usage: lumvex_render_icons <out-dir> <size>[,<size>...] <icon.svg>..."));
  const std::vector<int> sizes = ParseSizes(args[2]);
  if (sizes.empty()) return Fail(QStringLiteral("bad size list '%1'").arg(args[2]));
  // Without a font the text in an icon would silently come out blank.
  if (QFontDatabase::families().isEmpty()) return Fail(QStringLiteral("no fonts found (install fonts-dejavu-core)"));
  const QDir out(args[1]);
  if (!out.mkpath(QStringLiteral("."))) return Fail(args[1] + QStringLiteral(": cannot make the directory"));
  for (qsizetype i = 3; i < args.size(); ++i) {
    if (const int failed = RenderIcon(args[i], sizes, out)) return failed;
  }
  return 0;
}
