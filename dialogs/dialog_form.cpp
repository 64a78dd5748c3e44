#include "dialogs/dialog_form.h"

#include <QBoxLayout>
#include <QCompleter>
#include <QFont>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextEdit>

#include <algorithm>
#include <climits>
#include <limits>

#include "base/number_text.h"

namespace qv::ui {

QPushButton* makeButton(QWidget* parent, const char* objectName, const QString& text,
                        const QKeySequence& shortcut)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setShortcut(shortcut);
    button->setAutoDefault(false);
    return button;
}

QLabel* makeBuddyLabel(QWidget* parent, const char* objectName, const QString& text,
                       QWidget* buddy)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(objectName));
    label->setBuddy(buddy);
    return label;
}

void addButtonRow(QBoxLayout* layout, const QList<QPushButton*>& buttons)
{
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton* button : buttons)
        row->addWidget(button);
    if (!buttons.isEmpty())
        buttons.first()->setDefault(true);
    layout->addLayout(row);
}

QString realText(double value)
{
    return QString::number(value, 'g', 6);
}

std::optional<double> typedReal(const QString& text)
{
    QString pointed = text;
    if (!text.contains(QLatin1Char('.')) && text.count(QLatin1Char(',')) == 1)
        pointed.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = pointed.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return qv::withoutNegativeZero(value);
}

double realValue(const QString& text)
{
    return typedReal(text).value_or(0.0);
}

std::optional<long long> typedWhole(const QString& text)
{
    bool ok = false;
    const long long whole = text.toLongLong(&ok);
    if (ok)
        return whole;
    static const QRegularExpression integerText(QStringLiteral("^\\s*[+-]?[0-9]+\\s*$"));
    if (!integerText.match(text).hasMatch())
        return std::nullopt;
    return text.trimmed().startsWith(QLatin1Char('-')) ? LLONG_MIN : LLONG_MAX;
}

int wholeValue(const QString& text)
{
    const long long value = typedWhole(text).value_or(0);
    return static_cast<int>(std::clamp<long long>(value, std::numeric_limits<int>::min(),
                                                  std::numeric_limits<int>::max()));
}

QString zoneText(const qv::TimeZone& zone)
{
    return !zone.name.empty() ? QString::fromStdString(zone.name) : realText(zone.offsetHours);
}

std::optional<qv::TimeZone> typedZone(const QString& text, double fallbackHours)
{
    qv::TimeZone zone;
    if (const std::optional<double> hours = typedReal(text)) {
        zone.offsetHours = *hours;
        return zone;
    }
    zone.offsetHours = fallbackHours;
    if (qv::findTimeZone(text.trimmed().toUtf8().constData(), zone))
        return zone;
    return std::nullopt;
}

void addZoneCompleter(QLineEdit* edit)
{
    QStringList names;
    for (const std::string& name : qv::timeZoneNames())
        names.append(QString::fromStdString(name));
    auto* completer = new QCompleter(names, edit);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setFilterMode(Qt::MatchContains);
    edit->setCompleter(completer);
}

void checkOnly(const QList<QRadioButton*>& buttons, int index)
{
    // An exclusive radio button refuses to be cleared while it is the checked one, so the
    // exclusivity is lifted while the states are set.
    for (qsizetype i = 0; i < buttons.size(); ++i) {
        QRadioButton* button = buttons[i];
        button->setAutoExclusive(false);
        button->setChecked(i == index);
        button->setAutoExclusive(true);
    }
}

int checkedIndex(const QList<QRadioButton*>& buttons)
{
    for (qsizetype i = 0; i < buttons.size(); ++i) {
        if (buttons[i]->isChecked())
            return static_cast<int>(i);
    }
    return -1;
}

QTextEdit* makeTextView(QWidget* parent, const char* objectName)
{
    auto* text = new QTextEdit(parent);
    text->setObjectName(QString::fromLatin1(objectName));
    text->setReadOnly(true);
    text->setAcceptRichText(false);
    return text;
}

void layOutTextDialog(QWidget* dialog, QTextEdit* text, QPushButton* closeButton)
{
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(text);
    addButtonRow(layout, {closeButton});
    dialog->resize(640, 520);
}

void setTextPointSize(QTextEdit* text, int pointSize)
{
    if (pointSize < 1)
        return;
    QFont font = text->font();
    font.setPointSize(pointSize);
    text->setFont(font);
}

void appendPlainText(QTextEdit* text, const QString& piece)
{
    text->moveCursor(QTextCursor::End);
    text->insertPlainText(piece);
}

void showFromStart(QTextEdit* text)
{
    text->moveCursor(QTextCursor::Start);
    // Scrolling to the cursor alone would leave the document's top margin hidden.
    text->verticalScrollBar()->setValue(text->verticalScrollBar()->minimum());
}

}  // namespace qv::ui
