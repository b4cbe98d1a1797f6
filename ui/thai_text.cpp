#include "ui/thai_text.h"

namespace lumvex::ui {
namespace {

constexpr char16_t kUnassigned = 0xFFFD;

// Code page 874 adds a few Windows punctuation marks to TIS-620 in 0x80-0x9F.
constexpr char16_t kHighControls[32] = {
    0x20AC, kUnassigned, kUnassigned, kUnassigned, kUnassigned, 0x2026, kUnassigned, kUnassigned,
    kUnassigned, kUnassigned, kUnassigned, kUnassigned, kUnassigned, kUnassigned, kUnassigned, kUnassigned,
    kUnassigned, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    kUnassigned, kUnassigned, kUnassigned, kUnassigned, kUnassigned, kUnassigned, kUnassigned, kUnassigned,
};

char16_t ToUnicode(unsigned char c) {
  if (c < 0x80) return c;
  if (c < 0xA0) return kHighControls[c - 0x80];
  if (c == 0xA0) return 0x00A0;
  // Thai letters and marks keep their order: 0xA1 is U+0E01.
  if ((c >= 0xA1 && c <= 0xDA) || (c >= 0xDF && c <= 0xFB)) return static_cast<char16_t>(0x0E00 + (c - 0xA0));
  return kUnassigned;
}

}  // namespace

QString FromTis620(std::string_view bytes) {
  QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
  QChar* out = text.data();
  for (const char c : bytes) *out++ = QChar(ToUnicode(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace lumvex::ui
