#pragma once

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <optional>
#include <string>

namespace korrin {

// Small helpers the settings windows share: naming controls, option groups
// that may have no button chosen, lists, and numbers typed by the user.

template <typename Widget>
Widget* Named(Widget* widget, const char* name, const char* toolTip = nullptr) {
  widget->setObjectName(name);
  if (toolTip != nullptr) widget->setToolTip(QString::fromUtf8(toolTip));
  return widget;
}

inline QString ToQt(const std::string& text) { return QString::fromStdString(text); }
inline std::string FromQt(const QString& text) { return text.toStdString(); }

// Chooses one button of a group, or clears the group for nullptr: a fresh
// window has no button chosen until its set is loaded.
void ChooseButton(QButtonGroup& group, QAbstractButton* button);

// Selects the item of that exact text. A value the list does not offer is
// added, so that saving writes back what was loaded rather than another
// value the user never chose; an empty text selects nothing.
void ShowListText(QComboBox& list, const QString& text);

// Enables or disables a list and paints its field as the system draws an
// available field (window colour) or an unavailable one (the given role).
void ShowListEnabled(QWidget& list, bool enabled, QPalette::ColorRole disabledRole = QPalette::Midlight);

// The number a field holds, read under the user's locale: blanks around it,
// a sign, the locale's decimal separator and an exponent are accepted; a
// group separator and an empty text are no number. Fields keep the text as
// typed, so the template gets the number in the user's locale.
std::optional<double> LocaleNumber(const QString& text);

// A field's text replaced without running its change handler again.
void SetFieldQuietly(QLineEdit& field, const QString& text);

}  // namespace korrin
