#include "print/thai_text.h"

#include "core/tis620.h"

namespace lumvex::ui {

QString FromTis620(std::string_view bytes) {
  QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
  QChar* out = text.data();
  for (const char c : bytes) *out++ = QChar(Tis620ToUnicode(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace lumvex::ui
