#include "dialogs/qv_sat_dialog.h"

#include "config/input_limits.h"
#include "dialogs/dialog_form.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLineEdit* makeEdit(QWidget* parent, const char* objectName)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(objectName));
    return edit;
}

}  // namespace

QvSatDialog::QvSatDialog(QWidget* parent)
    : QvCheckedDialog(parent)
{
    setObjectName(QStringLiteral("QvSatDialog"));
    setWindowTitle(tr("Special Eclipse Settings"));

    yearEdit = makeEdit(this, "yearEdit");
    monthEdit = makeEdit(this, "monthEdit");
    dayEdit = makeEdit(this, "dayEdit");
    hourEdit = makeEdit(this, "hourEdit");
    minEdit = makeEdit(this, "minEdit");
    secEdit = makeEdit(this, "secEdit");
    stepEdit = makeEdit(this, "stepEdit");
    stepEdit->setToolTip(tr("Time Step for the eclipse "));
    stepEdit->setWhatsThis(tr("Used for manually stepping along the central eclipse track on the "
                              "map. The step used for plotting the track will always be taken to "
                              "be 1 minute."));
    heightEdit = makeEdit(this, "heightEdit");
    heightEdit->setToolTip(tr("Height above Earth surface."));
    heightEdit->setWhatsThis(tr("Height above equator. This defines the radius of the sphere on "
                                "which the eclipse is tracked."));

    geoidBox = new QCheckBox(tr("Use &Ellipsoid"), this);
    geoidBox->setObjectName(QStringLiteral("geoidBox"));
    geoidBox->setShortcut(QKeySequence(tr("Alt+E")));
    geoidBox->setToolTip(tr("Take surface as ellipsoid instead of sphere."));
    geoidBox->setWhatsThis(tr("If marked the surface of the eclipse will be taken as an ellipsoid "
                              "with the same flattening as the Earth. Otherwise a sphere is taken "
                              "(which is preferable for satellite orbits)."));

    // Date on the left, time of day on the right, surface and step below.
    auto* grid = new QGridLayout;
    auto addRow = [this, grid](int row, int column, const char* labelName, const QString& text,
                               QLineEdit* edit) {
        grid->addWidget(qv::ui::makeBuddyLabel(this, labelName, text, edit), row, column);
        grid->addWidget(edit, row, column + 1);
    };
    addRow(0, 0, "textLabel1", tr("&Year:"), yearEdit);
    addRow(1, 0, "textLabel2", tr("&Month:"), monthEdit);
    addRow(2, 0, "textLabel3", tr("&Day:"), dayEdit);
    addRow(0, 2, "textLabel4", tr("&Hour:"), hourEdit);
    addRow(1, 2, "textLabel5", tr("Mi&nute:"), minEdit);
    addRow(2, 2, "textLabel6", tr("&Seconds:"), secEdit);
    auto* textLabel9 = new QLabel(tr("(Time is in U.T.)"), this);
    textLabel9->setObjectName(QStringLiteral("textLabel9"));
    grid->addWidget(textLabel9, 3, 0, 1, 4);
    addRow(4, 0, "textLabel7", tr("&Time Step (sec):"), stepEdit);
    grid->addWidget(geoidBox, 5, 0, 1, 2);
    addRow(6, 0, "textLabel8", tr("Hei&ght (km):"), heightEdit);

    auto* okButton = qv::ui::makeButton(this, "okButton", tr("&OK"), QKeySequence(tr("Alt+O")));
    auto* cancelButton =
        qv::ui::makeButton(this, "cancelButton", tr("&Cancel"), QKeySequence(tr("Alt+C")));
    connect(okButton, &QPushButton::clicked, this, &QvSatDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QvSatDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch();
    qv::ui::addButtonRow(layout, {okButton, cancelButton});
}

void QvSatDialog::setInput(const SpecialEclipseInput& input)
{
    geoidBox->setChecked(input.surface.ellipsoid);
    heightEdit->setText(qv::ui::realText(input.surface.heightKm));
    stepEdit->setText(qv::ui::realText(input.surface.stepSeconds));
    const qv::UtInstant& at = input.startUT;
    yearEdit->setText(QString::number(at.year));
    monthEdit->setText(QString::number(at.month));
    dayEdit->setText(QString::number(at.day));
    hourEdit->setText(QString::number(at.hour));
    minEdit->setText(QString::number(at.minute));
    secEdit->setText(QString::number(at.second));
}

SpecialEclipseInput QvSatDialog::input() const
{
    SpecialEclipseInput input;
    input.surface.ellipsoid = geoidBox->isChecked();
    input.surface.heightKm = qv::ui::realValue(heightEdit->text());
    input.surface.stepSeconds = qv::ui::realValue(stepEdit->text());
    using qv::ui::wholeValue;
    input.startUT = {wholeValue(yearEdit->text()), wholeValue(monthEdit->text()), wholeValue(dayEdit->text()),
                     wholeValue(hourEdit->text()), wholeValue(minEdit->text()),   wholeValue(secEdit->text())};
    return input;
}

QvCheckedDialog::FieldError QvSatDialog::firstFieldError() const
{
    const FieldError checks[] = {
        yearFieldError(yearEdit),
        wholeFieldError(monthEdit, "Month", qv::checkMonthNumber),
        wholeFieldError(dayEdit, "Day", qv::checkDayNumber),
        dateFieldError(yearEdit, monthEdit, dayEdit),
        wholeFieldError(hourEdit, "Hour", qv::checkHour),
        wholeFieldError(minEdit, "Minute", qv::checkMinute),
        wholeFieldError(secEdit, "Seconds", qv::checkSecond),
        realFieldError(stepEdit, "Time step", qv::checkSpecialStep),
        realFieldError(heightEdit, "Height", qv::checkSpecialHeight),
    };
    return firstOf(checks);
}
