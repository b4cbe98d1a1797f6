#include "ui/dialog_template.h"

#include <QLabel>
#include <QWidget>
#include <algorithm>

namespace lumvex::ui {

void FitTemplateLabels(QWidget* form) {
  constexpr int kMargin = 6;
  int formWidth = form->width();
  for (QLabel* label : form->findChildren<QLabel*>()) {
    if (label->text().isEmpty()) continue;
    const int need = label->sizeHint().width();
    if (need <= label->width()) continue;
    QRect place = label->geometry();
    if (label->alignment() & Qt::AlignRight) {
      place.setLeft(std::max(kMargin, place.right() - need));
    } else {
      place.setWidth(need);
    }
    label->setGeometry(place);
    formWidth = std::max(formWidth, place.right() + kMargin);
  }
  if (formWidth != form->width()) {
    form->setMinimumWidth(formWidth);
    form->setMaximumWidth(formWidth);
    form->resize(formWidth, form->height());
  }
}

}  // namespace lumvex::ui
