#include "dialogs/qv_print_dialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <iterator>

#include "dialogs/dialog_form.h"

namespace {

template <typename Button>
Button* addButton(QGroupBox* group, const char* objectName, const QString& text)
{
    auto* button = new Button(text, group);
    button->setObjectName(QString::fromLatin1(objectName));
    group->layout()->addWidget(button);
    return button;
}

QGroupBox* makeGroup(QWidget* parent, const char* objectName, const QString& title)
{
    auto* group = new QGroupBox(title, parent);
    group->setObjectName(QString::fromLatin1(objectName));
    new QVBoxLayout(group);
    return group;
}

}  // namespace

QvPrintDialog::QvPrintDialog(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("QvPrintDialog"));
    setWindowTitle(tr("Print"));

    QGroupBox* whatGroup = makeGroup(this, "whatGroup", tr("Print"));
    screenButton = addButton<QRadioButton>(whatGroup, "screenButton", tr("The page on &screen"));
    yearButton = addButton<QRadioButton>(whatGroup, "yearButton", tr("The &whole year:"));
    const char* const partNames[] = {"phasesBox",   "calendarBox", "holidaysBox",
                                     "eclipsesBox", "mapsBox",     "planetsBox", "daylightBox",
                                     "moonBox",     "seenBox"};
    const QString partTexts[] = {tr("&Phases of the Moon, Sun and eclipse tables"), tr("&Calendar"),
                                 tr("&Holidays"), tr("&Eclipse list and each eclipse's details"),
                                 tr("Eclipse &maps with their legends"),
                                 tr("Plane&ts: conjunctions, oppositions, elongations and stations"),
                                 tr("&Daylight chart of the year"),
                                 tr("M&oon calendar: the year, then each month"),
                                 tr("Each eclipse as seen from the p&lace")};
    static_assert(std::size(partNames) == std::size(qv::kPrintPartKeys));
    for (std::size_t i = 0; i < std::size(partNames); ++i) {
        QCheckBox* box = addButton<QCheckBox>(whatGroup, partNames[i], partTexts[i]);
        box->setContentsMargins(20, 0, 0, 0);
        connect(box, &QCheckBox::toggled, this, &QvPrintDialog::updateButtons);
        partBoxes << box;
    }
    connect(yearButton, &QRadioButton::toggled, this, &QvPrintDialog::updateButtons);

    QGroupBox* paperGroup = makeGroup(this, "paperGroup", tr("Paper"));
    a4Button = addButton<QRadioButton>(paperGroup, "a4Button", tr("A&4"));
    letterButton = addButton<QRadioButton>(paperGroup, "letterButton", tr("&Letter"));
    QGroupBox* orientationGroup = makeGroup(this, "orientationGroup", tr("Orientation"));
    portraitButton = addButton<QRadioButton>(orientationGroup, "portraitButton", tr("Po&rtrait"));
    landscapeButton = addButton<QRadioButton>(orientationGroup, "landscapeButton", tr("La&ndscape"));

    okButton = qv::ui::makeButton(this, "okButton", tr("&OK"), QKeySequence(tr("Alt+O")));
    auto* cancelButton = qv::ui::makeButton(this, "cancelButton", tr("Cancel"), QKeySequence(Qt::Key_Escape));
    connect(okButton, &QPushButton::clicked, this, &QvPrintDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QvPrintDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(whatGroup);
    auto* pageRow = new QHBoxLayout;
    pageRow->addWidget(paperGroup);
    pageRow->addWidget(orientationGroup);
    layout->addLayout(pageRow);
    layout->addStretch();
    qv::ui::addButtonRow(layout, {okButton, cancelButton});
}

void QvPrintDialog::setParams(const qv::PrintChoice& choice, bool pageOnScreen)
{
    screenButton->setEnabled(pageOnScreen);
    (choice.wholeYear || !pageOnScreen ? yearButton : screenButton)->setChecked(true);
    for (int i = 0; i < partBoxes.size(); ++i)
        partBoxes[i]->setChecked((choice.parts & qv::kPrintPartKeys[i].part) != 0);
    (choice.paper == qv::PrintPaper::kLetter ? letterButton : a4Button)->setChecked(true);
    (choice.landscape ? landscapeButton : portraitButton)->setChecked(true);
    updateButtons();
}

qv::PrintChoice QvPrintDialog::getParams() const
{
    qv::PrintChoice choice;
    choice.wholeYear = yearButton->isChecked();
    choice.parts = 0;
    for (int i = 0; i < partBoxes.size(); ++i)
        if (partBoxes[i]->isChecked())
            choice.parts |= qv::kPrintPartKeys[i].part;
    choice.paper = letterButton->isChecked() ? qv::PrintPaper::kLetter : qv::PrintPaper::kA4;
    choice.landscape = landscapeButton->isChecked();
    return choice;
}

void QvPrintDialog::updateButtons()
{
    bool anyPart = false;
    for (QCheckBox* box : partBoxes) {
        box->setEnabled(yearButton->isChecked());
        anyPart = anyPart || box->isChecked();
    }
    okButton->setEnabled(!yearButton->isChecked() || anyPart);
}
