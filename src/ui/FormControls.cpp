#include "ui/FormControls.h"

#include <cmath>

#include <QSignalBlocker>

namespace korrin {

void ChooseButton(QButtonGroup& group, QAbstractButton* button) {
  if (button != nullptr) {
    button->setChecked(true);
    return;
  }
  // An exclusive group keeps one button checked; let go of it for a moment.
  group.setExclusive(false);
  for (QAbstractButton* member : group.buttons()) member->setChecked(false);
  group.setExclusive(true);
}

void ShowListText(QComboBox& list, const QString& text) {
  int index = list.findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (index < 0 && !text.isEmpty()) {
    list.addItem(text);
    index = list.count() - 1;
  }
  list.setCurrentIndex(index);
}

void ShowListEnabled(QWidget& list, bool enabled, QPalette::ColorRole disabledRole) {
  list.setEnabled(enabled);
  QPalette palette = list.palette();
  const QColor colour = QPalette().color(enabled ? QPalette::Base : disabledRole);
  for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    palette.setColor(group, QPalette::Base, colour);
    palette.setColor(group, QPalette::Button, colour);
  }
  list.setPalette(palette);
}

std::optional<double> LocaleNumber(const QString& text) {
  // A group separator is refused: "2.500" is no number a German user types
  // for 2500, and in the C locale "1,5" is no 15.
  QLocale locale;
  locale.setNumberOptions(locale.numberOptions() | QLocale::RejectGroupSeparator);
  bool ok = false;
  const double value = locale.toDouble(text.trimmed(), &ok);
  // The locale also reads "nan" and "inf", which are no numbers a user means.
  if (!ok || !std::isfinite(value)) return std::nullopt;
  return value;
}

void SetFieldQuietly(QLineEdit& field, const QString& text) {
  const QSignalBlocker quiet(field);
  field.setText(text);
}

}  // namespace korrin
