#include "print/report_pdf.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPageLayout>
#include <QPrinter>
#include <QRawFont>
#include <QTextLayout>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "core/replacement_file.h"
#include "core/text_format.h"
#include "print/report_printer.h"
#include "print/thai_text.h"

namespace lumvex::print {
namespace {

// Glyph metrics and positions are kept in thousandths of an em, the unit of
// a PDF font's widths and of TJ's adjustments.
constexpr int kEm = 1000;

void Append(std::string &out, double value) {
  char buffer[32];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, std::round(value * 100) / 100).ptr;
  out.append(buffer, end);
}

void AppendHex4(std::string &out, quint32 glyph) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  for (int shift = 12; shift >= 0; shift -= 4) out += kDigits[(glyph >> shift) & 0xF];
}

struct Glyph {
  quint32 id = 0;
  double x = 0;  // pen position from the word's start
  double y = 0;  // downwards
};
using ShapedWord = std::vector<Glyph>;

// Thai presentation forms of the private use area that fonts reach through
// their substitutions (shifted or descender-less letters and marks), and
// the characters they show.
char16_t BaseOfThaiVariant(char16_t c) {
  static constexpr char16_t kBase[] = {0x0E10, 0x0E34, 0x0E35, 0x0E36, 0x0E37, 0x0E48, 0x0E49, 0x0E4A, 0x0E4B,
                                       0x0E4C, 0x0E48, 0x0E49, 0x0E4A, 0x0E4B, 0x0E4C, 0x0E0D, 0x0E31, 0x0E4D,
                                       0x0E47, 0x0E48, 0x0E49, 0x0E4A, 0x0E4B, 0x0E4C, 0x0E38, 0x0E39, 0x0E3A};
  return c >= 0xF700 && c < 0xF700 + std::size(kBase) ? kBase[c - 0xF700] : c;
}

// The report font at 1000 pixels an em, unhinted: its glyphs for words, their
// widths, the text each glyph stands for, and the font program to embed.
class FontProgram {
 public:
  explicit FontProgram(QFont font) {
    font.setPixelSize(kEm);
    font.setStretch(QFont::Unstretched);
    font.setHintingPreference(QFont::PreferNoHinting);
    font_ = font;
    raw_ = QRawFont::fromFont(font);
    if (!raw_.isValid()) return;
    QString characters;
    for (char16_t c = 0x21; c < 0x7F; ++c) characters += QChar(c);
    for (char16_t c = 0x0E01; c <= 0x0E5B; ++c) characters += QChar(c);
    for (char16_t c = 0xF700; c <= 0xF71A; ++c) characters += QChar(c);
    const QList<quint32> glyphs = raw_.glyphIndexesForString(characters);
    for (qsizetype i = 0; i < glyphs.size() && i < characters.size(); ++i) {
      const char16_t c = characters[i].unicode();
      if (glyphs[i] == 0) continue;
      if (c < 0x7F) {
        ascii_[c] = glyphs[i];
        asciiWidth_[c] = Width(glyphs[i]);
      }
      textOf_.try_emplace(glyphs[i], QString(QChar(BaseOfThaiVariant(c))));
    }
  }

  bool valid() const { return raw_.isValid() && ascii_['M'] != 0; }
  double Width(quint32 glyph) {
    if (glyph >= widths_.size()) widths_.resize(glyph + 1, kUnknown);
    if (widths_[glyph] == kUnknown) {
      const QList<QPointF> advances = raw_.advancesForGlyphIndexes(QList<quint32>{glyph});
      widths_[glyph] = advances.isEmpty() ? 0.0 : advances[0].x();
    }
    return widths_[glyph];
  }
  double MonospaceWidth() { return Width(ascii_['M']); }

  // Letters and figures map one to one onto glyphs of the same width; words
  // of other scripts are shaped once each (names repeat, figures hardly).
  const ShapedWord &Shape(const QString &word) {
    if (IsAscii(word)) return MapAscii(word);
    auto [it, added] = words_.try_emplace(word);
    if (added) it->second = ShapeWithLayout(word);
    return it->second;
  }

  // Each glyph drawn (or measured), with its width.
  std::vector<std::pair<quint32, double>> UsedWidths() const {
    std::vector<std::pair<quint32, double>> used;
    for (std::size_t g = 0; g < widths_.size(); ++g) {
      if (widths_[g] != kUnknown) used.emplace_back(static_cast<quint32>(g), widths_[g]);
    }
    return used;
  }
  QString TextOf(quint32 glyph) const {
    const auto it = textOf_.find(glyph);
    return it == textOf_.end() ? QString() : it->second;
  }
  // The font's tables as a TrueType file; empty when it has no glyph outlines
  // of that kind.
  QByteArray FontFile() const;

 private:
  static bool IsAscii(const QString &word) {
    return std::all_of(word.begin(), word.end(), [](QChar c) { return c.unicode() > 0x20 && c.unicode() < 0x7F; });
  }
  const ShapedWord &MapAscii(const QString &word) {
    asciiWord_.clear();
    double x = 0;
    for (QChar c : word) {
      const quint32 glyph = ascii_[c.unicode()];
      asciiWord_.push_back({glyph, x, 0});
      x += asciiWidth_[c.unicode()];
    }
    return asciiWord_;
  }
  // Thai words go through the text layout: its shaping places the marks.
  ShapedWord ShapeWithLayout(const QString &word) {
    QTextLayout layout(word, font_);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(1e9);
    layout.endLayout();
    ShapedWord shaped;
    for (const QGlyphRun &run : layout.glyphRuns()) {
      if (run.rawFont().familyName() != raw_.familyName()) continue;  // no second font in the file
      const QList<quint32> glyphs = run.glyphIndexes();
      const QList<QPointF> positions = run.positions();
      for (qsizetype i = 0; i < glyphs.size(); ++i) {
        shaped.push_back({glyphs[i], positions[i].x(), positions[i].y() - line.ascent()});
      }
    }
    // One glyph per character: each glyph shows its own character.
    if (shaped.size() == static_cast<std::size_t>(word.size())) {
      for (std::size_t i = 0; i < shaped.size(); ++i) {
        textOf_.try_emplace(shaped[i].id, QString(word[static_cast<qsizetype>(i)]));
      }
    }
    return shaped;
  }

  QFont font_;
  QRawFont raw_;
  quint32 ascii_[0x80] = {};
  double asciiWidth_[0x80] = {};
  ShapedWord asciiWord_;  // the last ASCII word, reused
  static constexpr double kUnknown = -1;
  std::vector<double> widths_;  // by glyph
  std::map<quint32, QString> textOf_;
  std::map<QString, ShapedWord> words_;  // nodes stay put: Shape hands out references
};

quint32 Checksum(const QByteArray &table) {
  quint32 sum = 0;
  for (qsizetype i = 0; i < table.size(); i += 4) {
    quint32 word = 0;
    for (qsizetype j = 0; j < 4; ++j) word = (word << 8) | (i + j < table.size() ? quint8(table[i + j]) : 0u);
    sum += word;
  }
  return sum;
}

void AppendBigEndian(QByteArray &out, quint32 value, int bytes) {
  for (int shift = (bytes - 1) * 8; shift >= 0; shift -= 8) out += char((value >> shift) & 0xFF);
}

QByteArray FontProgram::FontFile() const {
  static constexpr const char *kTags[] = {"OS/2", "cmap", "cvt ", "fpgm", "gasp", "glyf", "head",
                                          "hhea", "hmtx", "loca", "maxp", "name", "post", "prep"};
  std::vector<std::pair<const char *, QByteArray>> tables;
  for (const char *tag : kTags) {
    QByteArray table = raw_.fontTable(tag);
    if (!table.isEmpty()) tables.emplace_back(tag, std::move(table));
  }
  const auto has = [&](std::string_view tag) {
    return std::any_of(tables.begin(), tables.end(), [&](const auto &t) { return tag == t.first; });
  };
  if (!has("glyf") || !has("loca") || !has("head")) return {};
  const auto count = static_cast<quint32>(tables.size());
  quint32 power = 1;
  int log = 0;
  while (power * 2 <= count) power *= 2, ++log;
  QByteArray file;
  AppendBigEndian(file, 0x00010000, 4);
  AppendBigEndian(file, count, 2);
  AppendBigEndian(file, power * 16, 2);
  AppendBigEndian(file, static_cast<quint32>(log), 2);
  AppendBigEndian(file, count * 16 - power * 16, 2);
  auto offset = static_cast<quint32>(12 + 16 * count);
  for (const auto &[tag, table] : tables) {
    file.append(tag, 4);
    AppendBigEndian(file, Checksum(table), 4);
    AppendBigEndian(file, offset, 4);
    AppendBigEndian(file, static_cast<quint32>(table.size()), 4);
    offset += static_cast<quint32>((table.size() + 3) & ~qsizetype(3));
  }
  for (const auto &entry : tables) {
    file += entry.second;
    while (file.size() % 4 != 0) file += '\0';
  }
  return file;
}

// A PDF file written object by object, its cross-reference at the end.
class PdfFile {
 public:
  explicit PdfFile(const std::filesystem::path &out) : file_(out) { Put("%PDF-1.4\n%\xe2\xe3\xcf\xd3\n"); }

  bool opened() const { return file_.opened(); }
  int Reserve() {
    offsets_.push_back(0);
    return static_cast<int>(offsets_.size());
  }
  void Object(int id, std::string_view body) {
    offsets_[static_cast<std::size_t>(id - 1)] = written_;
    Put(Format("%d 0 obj\n", id));
    Put(body);
    Put("\nendobj\n");
  }
  // A stream, deflated quickly: report pages are mostly repeated words.
  void Stream(int id, std::string_view dictionary, std::string_view data) {
    const QByteArray packed =
        qCompress(reinterpret_cast<const uchar *>(data.data()), static_cast<qsizetype>(data.size()), 1)
            .mid(4);  // Qt's length prefix, not part of the stream
    offsets_[static_cast<std::size_t>(id - 1)] = written_;
    Put(Format("%d 0 obj\n<< %.*s /Filter /FlateDecode /Length %lld >>\nstream\n", id, int(dictionary.size()),
               dictionary.data(), static_cast<long long>(packed.size())));
    Put(std::string_view(packed.constData(), static_cast<std::size_t>(packed.size())));
    Put("\nendstream\nendobj\n");
  }
  bool Finish(int catalogue) {
    const long long xref = written_;
    Put(Format("xref\n0 %zu\n0000000000 65535 f \n", offsets_.size() + 1));
    for (long long offset : offsets_) Put(Format("%010lld 00000 n \n", offset));
    Put(Format("trailer\n<< /Size %zu /Root %d 0 R >>\nstartxref\n%lld\n%%%%EOF\n", offsets_.size() + 1, catalogue,
               xref));
    return file_.Commit();
  }

 private:
  void Put(std::string_view bytes) {
    file_.Write(bytes);
    written_ += static_cast<long long>(bytes.size());
  }

  ReplacementFile file_;
  std::vector<long long> offsets_;
  long long written_ = 0;
};

// What every page shares: the paper, the printable area and the font as it
// is drawn there.
struct PageSetting {
  double paperWidth = 0;  // points
  double paperHeight = 0;
  double left = 0;  // the printable area's top left corner, points from the paper's
  double top = 0;
  ReportPageLayout layout;
  double columnAdvance = 0;  // device units
  double ascent = 0;
  double xScale = 0;  // the em in device units, across (condensed) and down
  double yScale = 0;
};

PageSetting SettingOf(const QPrinter &printer, const QFont &font, double monospaceWidth) {
  const QPageLayout page = printer.pageLayout();
  const QRectF paper = page.fullRectPoints();
  const QRectF printable = page.paintRectPoints();
  const QRect pixels(QPoint(0, 0), printer.pageRect(QPrinter::DevicePixel).size().toSize());
  const QFontMetricsF metrics(font, &printer);
  PageSetting s;
  s.paperWidth = paper.width();
  s.paperHeight = paper.height();
  s.left = printable.left();
  s.top = printable.top();
  s.layout = LayOutPage(printer, pixels, font);
  s.columnAdvance = metrics.horizontalAdvance(QLatin1Char('M'));
  s.ascent = metrics.ascent();
  s.xScale = s.columnAdvance * kEm / monospaceWidth;
  s.yScale = font.pixelSize();
  return s;
}

// One word as a text object's glyphs, each moved to where shaping put it.
void AppendWord(std::string &out, const ShapedWord &word, FontProgram &font) {
  double pen = 0;
  bool inString = false;
  out += '[';
  for (const Glyph &g : word) {
    if (g.y != 0) {  // a mark raised or lowered: a rise of its own
      out += inString ? ">] TJ " : "] TJ ";
      Append(out, -g.y / kEm);
      out += " Ts [";
      Append(out, pen - g.x);
      out += " <";
      AppendHex4(out, g.id);
      out += ">] TJ 0 Ts [";
      inString = false;
    } else {
      if (std::abs(g.x - pen) > 0.5) {
        if (inString) out += '>';
        Append(out, pen - g.x);
        inString = false;
      }
      if (!inString) out += '<';
      inString = true;
      AppendHex4(out, g.id);
    }
    pen = g.x + font.Width(g.id);
  }
  out += inString ? ">] TJ\n" : "] TJ\n";
}

void AppendLine(std::string &out, const QString &text, double top, const PageSetting &s, FontProgram &font) {
  ForEachWord(text, [&](int column, const QString &word) {
    const ShapedWord &shaped = font.Shape(word);
    if (shaped.empty()) return;
    Append(out, s.xScale);
    out += " 0 0 ";
    Append(out, -s.yScale);
    out += ' ';
    Append(out, column * s.columnAdvance);
    out += ' ';
    Append(out, top + s.ascent);
    out += " Tm ";
    AppendWord(out, shaped, font);
  });
}

std::string PageContent(const report::PrintPage &page, const PageSetting &s, FontProgram &font) {
  const ReportPageLayout &l = s.layout;
  const double unit = 72.0 / kReportResolution;
  std::string out = "q ";
  for (double v : {unit, 0.0, 0.0, -unit, s.left, s.paperHeight - s.top}) {
    Append(out, v);
    out += ' ';
  }
  out += Format("cm 1 w 0 %d m %d %d l S 0 %d m %d %d l S\nBT /F1 1 Tf\n", l.UpperRuleY(), l.Right(), l.UpperRuleY(),
                l.LowerRuleY(), l.Right(), l.LowerRuleY());
  AppendLine(out, ui::FromTis620(page.title), l.TitleTop(), s, font);
  for (std::size_t k = 1; k <= page.lines.size(); ++k) {
    AppendLine(out, ui::FromTis620(page.lines[k - 1]), l.BodyLineTop(static_cast<int>(k)), s, font);
  }
  AppendLine(out, ui::FromTis620(page.footer), l.FooterTop(), s, font);
  out += "ET Q\n";
  return out;
}

std::string UnicodeHex(const QString &text) {
  std::string hex;
  for (QChar c : text) AppendHex4(hex, c.unicode());
  return hex;
}

// The glyphs' characters, so that the text can be searched and copied.
std::string ToUnicode(const FontProgram &font) {
  std::string map =
      "/CIDInit /ProcSet findresource begin 12 dict begin "
      "begincmap /CIDSystemInfo << /Registry (Adobe) /Ordering "
      "(UCS) /Supplement 0 >> def /CMapName /Adobe-Identity-UCS "
      "def /CMapType 2 def 1 begincodespacerange <0000> "
      "<FFFF> endcodespacerange\n";
  std::vector<std::pair<quint32, QString>> pairs;
  for (const auto &[glyph, width] : font.UsedWidths()) {
    const QString text = font.TextOf(glyph);
    if (!text.isEmpty()) pairs.emplace_back(glyph, text);
  }
  for (std::size_t i = 0; i < pairs.size(); i += 100) {
    const std::size_t n = std::min<std::size_t>(100, pairs.size() - i);
    map += Format("%zu beginbfchar\n", n);
    for (std::size_t j = i; j < i + n; ++j) {
      std::string glyph;
      AppendHex4(glyph, pairs[j].first);
      map += "<" + glyph + "> <" + UnicodeHex(pairs[j].second) + ">\n";
    }
    map += "endbfchar\n";
  }
  return map + "endcmap CMapName currentdict /CMap defineresource pop end end\n";
}

void WriteFont(PdfFile &pdf, int type0, FontProgram &font, const QFont &qfont) {
  const int cidFont = pdf.Reserve(), descriptor = pdf.Reserve(), program = pdf.Reserve(), unicode = pdf.Reserve();
  const QByteArray file = font.FontFile();
  const std::string name = "LMVX+" + QString(qfont.family()).remove(QLatin1Char(' ')).toStdString();
  pdf.Object(type0, Format("<< /Type /Font /Subtype /Type0 /BaseFont /%s "
                           "/Encoding /Identity-H /DescendantFonts [%d 0 "
                           "R] /ToUnicode %d 0 R >>",
                           name.c_str(), cidFont, unicode));
  std::string widths = "[";
  for (const auto &[glyph, width] : font.UsedWidths()) {
    widths += Format("%u [", glyph);
    Append(widths, width);
    widths += "] ";
  }
  widths += "]";
  pdf.Object(cidFont,
             Format("<< /Type /Font /Subtype /CIDFontType2 /BaseFont /%s "
                    "/CIDSystemInfo << /Registry (Adobe) "
                    "/Ordering (Identity) /Supplement 0 >> /FontDescriptor %d "
                    "0 R /CIDToGIDMap /Identity "
                    "/DW %d /W %s >>",
                    name.c_str(), descriptor, static_cast<int>(std::lround(font.MonospaceWidth())), widths.c_str()));
  pdf.Object(descriptor, Format("<< /Type /FontDescriptor /FontName /%s /Flags "
                                "5 /FontBBox [-500 -500 1500 1500] "
                                "/ItalicAngle 0 /Ascent 1000 /Descent -300 "
                                "/CapHeight 700 /StemV 80 /FontFile2 %d 0 R >>",
                                name.c_str(), program));
  pdf.Stream(program, Format("/Length1 %lld", static_cast<long long>(file.size())),
             std::string_view(file.constData(), static_cast<std::size_t>(file.size())));
  pdf.Stream(unicode, "", ToUnicode(font));
}

}  // namespace

bool WriteReportPdf(const QPrinter &printer, const std::filesystem::path &out, const std::filesystem::path &printFile,
                    int lastPage, std::string_view fileName, MessagePort &messages) {
  const QRect pixels(QPoint(0, 0), printer.pageRect(QPrinter::DevicePixel).size().toSize());
  const QFont qfont = ReportFont(printer, pixels.width());
  FontProgram font(qfont);
  if (!font.valid() || font.FontFile().isEmpty()) {
    messages.Show(MessageStyle::Failure, "The report font can't be embedded in a PDF file");
    return false;
  }
  const PageSetting setting = SettingOf(printer, qfont, font.MonospaceWidth());
  int first = printer.fromPage() > 0 ? printer.fromPage() : 1;
  int last = printer.toPage() > 0 ? std::min(printer.toPage(), lastPage) : lastPage;
  if (last < first) first = last = std::max(lastPage, 1);

  PdfFile pdf(out);
  if (!pdf.opened()) {
    messages.Show(MessageStyle::Failure, Format("Can't create file %s", out.string().c_str()));
    return false;
  }
  const int catalogue = pdf.Reserve(), pages = pdf.Reserve(), fontObject = pdf.Reserve();
  std::string kids;
  for (int p = first; p <= last; ++p) {
    const int page = pdf.Reserve(), content = pdf.Reserve();
    const auto text = report::ReadPrintPage(printFile, p, lastPage, fileName, messages);
    pdf.Stream(content, "", text ? PageContent(*text, setting, font) : std::string());
    std::string media = "[0 0 ";
    Append(media, setting.paperWidth);
    media += ' ';
    Append(media, setting.paperHeight);
    media += ']';
    pdf.Object(page, Format("<< /Type /Page /Parent %d 0 R /MediaBox %s "
                            "/Resources << /Font << /F1 %d 0 R >> >> "
                            "/Contents %d 0 R >>",
                            pages, media.c_str(), fontObject, content));
    kids += Format("%d 0 R ", page);
  }
  WriteFont(pdf, fontObject, font, qfont);
  pdf.Object(pages, Format("<< /Type /Pages /Kids [%s] /Count %d >>", kids.c_str(), last - first + 1));
  pdf.Object(catalogue, Format("<< /Type /Catalog /Pages %d 0 R >>", pages));
  if (!pdf.Finish(catalogue)) {
    messages.Show(MessageStyle::Failure, Format("Can't write file %s", out.string().c_str()));
    return false;
  }
  return true;
}

}  // namespace lumvex::print
