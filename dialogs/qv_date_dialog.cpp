#include "dialogs/qv_date_dialog.h"

#include "config/input_limits.h"
#include "dialogs/dialog_form.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

QvDateDialog::QvDateDialog(QWidget* parent)
    : QvCheckedDialog(parent)
{
    setObjectName(QStringLiteral("QvDateDialog"));
    setWindowTitle(tr("Year and Timezone"));

    auto* textLabel1 = new QLabel(tr("Enter Year and Timezone"), this);
    textLabel1->setObjectName(QStringLiteral("textLabel1"));
    yearEdit = new QLineEdit(this);
    yearEdit->setObjectName(QStringLiteral("yearEdit"));
    tzoneEdit = new QLineEdit(this);
    tzoneEdit->setObjectName(QStringLiteral("tzoneEdit"));
    qv::ui::addZoneCompleter(tzoneEdit);

    auto* form = new QFormLayout;
    form->addRow(qv::ui::makeBuddyLabel(this, "yearLabel", tr("&Year:"), yearEdit), yearEdit);
    form->addRow(qv::ui::makeBuddyLabel(this, "tzoneLabel", tr("&TimeZone:"), tzoneEdit),
                 tzoneEdit);

    auto* okButton = qv::ui::makeButton(this, "okButton", tr("&OK"), QKeySequence(tr("Alt+O")));
    auto* cancelButton =
        qv::ui::makeButton(this, "cancelButton", tr("&Cancel"), QKeySequence(tr("Alt+C")));
    connect(okButton, &QPushButton::clicked, this, &QvDateDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QvDateDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(textLabel1);
    layout->addLayout(form);
    layout->addStretch();
    qv::ui::addButtonRow(layout, {okButton, cancelButton});
}

void QvDateDialog::setInput(const DateZoneInput& input)
{
    yearEdit->setText(QString::number(input.year));
    tzoneEdit->setText(qv::ui::zoneText(input.zone));
    fallbackHours = input.zone.offsetHours;
}

DateZoneInput QvDateDialog::input() const
{
    return {qv::ui::wholeValue(yearEdit->text()),
            qv::ui::typedZone(tzoneEdit->text(), fallbackHours).value_or(qv::TimeZone{})};
}

QvCheckedDialog::FieldError QvDateDialog::firstFieldError() const
{
    FieldError error = yearFieldError(yearEdit);
    if (error.message.isEmpty())
        error = zoneFieldError(tzoneEdit);
    return error;
}
