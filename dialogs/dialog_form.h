#pragma once
// Building blocks shared by the dialog forms: labelled buttons with their Alt shortcuts, the
// bottom button row, number texts, and the reading of year texts for the range checks.
#include <QList>
#include <QString>

#include <optional>

#include "base/time_zone.h"

class QBoxLayout;
class QKeySequence;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTextEdit;
class QWidget;

namespace qv::ui {

// Push button with its object name, mnemonic text and Alt shortcut.
QPushButton* makeButton(QWidget* parent, const char* objectName, const QString& text,
                        const QKeySequence& shortcut);

// Label with a mnemonic that moves the focus to its buddy.
QLabel* makeBuddyLabel(QWidget* parent, const char* objectName, const QString& text,
                       QWidget* buddy);

// The bottom row: a stretch, then the buttons from left to right; the first is the default.
void addButtonRow(QBoxLayout* layout, const QList<QPushButton*>& buttons);

// A real number as the forms show it: general format, six significant digits.
QString realText(double value);

// A real number as typed: surrounding blanks ignored, a decimal comma ("48,2") read as a point.
// Empty when the text is no number; "nan" and "inf" are numbers here, for the range checks.
std::optional<double> typedReal(const QString& text);
// typedReal, or 0 for text that is no number (the checks refuse it before it is read).
double realValue(const QString& text);

// A whole number as typed, for the range checks: an integer too long for long long keeps its
// sign and reads as the largest value of that sign. Empty when the text is no whole number.
std::optional<long long> typedWhole(const QString& text);

// typedWhole held to the range of int, or 0 for text that is no whole number (the checks
// refuse it before it is read).
int wholeValue(const QString& text);

// A time zone as the forms show it: its name, or the fixed offset in hours.
QString zoneText(const qv::TimeZone& zone);

// A time zone as typed: a number of hours east of Greenwich, or a name of the time-zone
// database ("Europe/Vienna"), which keeps fallbackHours as the offset an older reader of the
// configuration sees. Empty when the text is neither.
std::optional<qv::TimeZone> typedZone(const QString& text, double fallbackHours);

// Offers the names of the time-zone database in edit as the user types, matching any part of
// the name regardless of case ("vienna" offers Europe/Vienna).
void addZoneCompleter(QLineEdit* edit);

// Checks exactly the button at index of an exclusive set; an index outside the set leaves
// every button cleared.
void checkOnly(const QList<QRadioButton*>& buttons, int index);

// Index of the checked button of a set, or -1 when none is checked.
int checkedIndex(const QList<QRadioButton*>& buttons);

// Read-only text field of the text dialogs.
QTextEdit* makeTextView(QWidget* parent, const char* objectName);

// Lays out a text dialog: the text field above, the closing button at the bottom right.
void layOutTextDialog(QWidget* dialog, QTextEdit* text, QPushButton* closeButton);

// Sets the point size of the text field's font; sizes below 1 leave the font as it is.
void setTextPointSize(QTextEdit* text, int pointSize);

// Appends plain text at the end of the document.
void appendPlainText(QTextEdit* text, const QString& piece);

// Moves the cursor to the start of the document, so that the view shows the first line.
void showFromStart(QTextEdit* text);

}  // namespace qv::ui
