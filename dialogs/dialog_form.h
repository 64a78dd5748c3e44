#pragma once
// Building blocks shared by the dialog forms: labelled buttons with their Alt shortcuts, the
// bottom button row, number texts, and the reading of year texts for the range checks.
#include <QList>
#include <QString>

class QBoxLayout;
class QKeySequence;
class QLabel;
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

// Year text as the range check sees it: an integer too long for int keeps its sign and is
// reported as far out of range; any other text that is not an integer reads as 0.
long long yearForCheck(const QString& text);

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
