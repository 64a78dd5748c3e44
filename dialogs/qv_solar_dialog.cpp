#include "dialogs/qv_solar_dialog.h"

#include "config/input_limits.h"
#include "dialogs/dialog_form.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// One row of the form: an edit and its label, both carrying the same help texts.
QLineEdit* addField(QFormLayout* form, QWidget* parent, const char* labelName,
                    const QString& labelText, const char* editName, const QString& toolTip,
                    const QString& whatsThis)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(editName));
    QLabel* label = qv::ui::makeBuddyLabel(parent, labelName, labelText, edit);
    for (QWidget* widget : {static_cast<QWidget*>(label), static_cast<QWidget*>(edit)}) {
        widget->setToolTip(toolTip);
        widget->setWhatsThis(whatsThis);
    }
    form->addRow(label, edit);
    return edit;
}

}  // namespace

QvSolarDialog::QvSolarDialog(QWidget* parent)
    : QvCheckedDialog(parent)
{
    setObjectName(QStringLiteral("QvSolarDialog"));
    setWindowTitle(tr("Solar Panel Settings"));

    auto* form = new QFormLayout;
    azimuthEdit = addField(form, this, "textLabel1", tr("&Azimuth (deg):"), "azimuthEdit",
                           tr("Azimuth of solar panel"),
                           tr("This is the fixed azimuth of the solar panel."));
    elevationEdit = addField(form, this, "textLabel2", tr("&Elevation (deg):"), "elevationEdit",
                             tr("Elevation of solar panel"),
                             tr("This is the fixed elevation of the solar panel."));
    efficiencyEdit = addField(form, this, "textLabel3", tr("E&fficiency in %:"), "efficiencyEdit",
                              tr("Efficiency of solar panel"),
                              tr("Percent of sunlight which is converted into electricity by the "
                                 "solar panel."));
    month1Edit = addField(form, this, "textLabel4", tr("Month&1 (Start):"), "month1Edit",
                          tr("Start Month"),
                          tr("Beginning month of the interval within the year which is being "
                             "considered."));
    month2Edit = addField(form, this, "textLabel5", tr("Month&2 (Stop):"), "month2Edit",
                          tr("End Month"),
                          tr("Month ending the interval within the year which is being "
                             "considered."));

    auto* okButton = qv::ui::makeButton(this, "okButton", tr("&OK"), QKeySequence(tr("Alt+O")));
    auto* cancelButton =
        qv::ui::makeButton(this, "cancelButton", tr("&Cancel"), QKeySequence(tr("Alt+C")));
    connect(okButton, &QPushButton::clicked, this, &QvSolarDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QvSolarDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch();
    qv::ui::addButtonRow(layout, {okButton, cancelButton});
}

void QvSolarDialog::setInput(const qv::SolarPanel& panel)
{
    azimuthEdit->setText(qv::ui::realText(panel.azimuthDeg));
    elevationEdit->setText(qv::ui::realText(panel.elevationDeg));
    efficiencyEdit->setText(qv::ui::realText(panel.efficiencyPercent));
    month1Edit->setText(QString::number(panel.startMonth));
    month2Edit->setText(QString::number(panel.endMonth));
}

qv::SolarPanel QvSolarDialog::input() const
{
    return {qv::ui::realValue(azimuthEdit->text()), qv::ui::realValue(elevationEdit->text()),
            qv::ui::realValue(efficiencyEdit->text()), qv::ui::wholeValue(month1Edit->text()),
            qv::ui::wholeValue(month2Edit->text())};
}

QvCheckedDialog::FieldError QvSolarDialog::firstFieldError() const
{
    const FieldError checks[] = {
        realFieldError(azimuthEdit, "Azimuth", qv::checkPanelAzimuth),
        realFieldError(elevationEdit, "Elevation", qv::checkPanelElevation),
        realFieldError(efficiencyEdit, "Efficiency", qv::checkPanelEfficiency),
        wholeFieldError(month1Edit, "Start month", [](long long m) { return qv::checkMonth(m, "Start month"); }),
        wholeFieldError(month2Edit, "End month", [](long long m) { return qv::checkMonth(m, "End month"); }),
    };
    const FieldError error = firstOf(checks);
    if (!error.message.isEmpty())
        return error;
    const qv::SolarPanel panel = input();
    return fieldError(qv::checkMonthInterval(panel.startMonth, panel.endMonth), month1Edit);
}
