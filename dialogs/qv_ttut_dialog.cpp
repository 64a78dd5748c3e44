#include "dialogs/qv_ttut_dialog.h"

#include "config/input_limits.h"
#include "dialogs/dialog_form.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

QvTtutDialog::QvTtutDialog(QWidget* parent)
    : QvCheckedDialog(parent)
{
    setObjectName(QStringLiteral("QvTtutDialog"));
    setWindowTitle(tr("Terrestrial Time - Universal Time"));

    checkBox1 = new QCheckBox(tr("&Use Default"), this);
    checkBox1->setObjectName(QStringLiteral("checkBox1"));
    checkBox1->setShortcut(QKeySequence(tr("Alt+U")));
    delTtutEdit1 = new QLineEdit(this);
    delTtutEdit1->setObjectName(QStringLiteral("delTtutEdit1"));
    connect(checkBox1, &QCheckBox::toggled, this, &QvTtutDialog::setDelut);

    auto* form = new QFormLayout;
    form->addRow(qv::ui::makeBuddyLabel(this, "textLabel1", tr("&TT - UT in sec:"), delTtutEdit1),
                 delTtutEdit1);

    auto* okButton = qv::ui::makeButton(this, "okButton", tr("&OK"), QKeySequence(tr("Alt+O")));
    auto* cancelButton =
        qv::ui::makeButton(this, "cancelButton", tr("&Cancel"), QKeySequence(tr("Alt+C")));
    connect(okButton, &QPushButton::clicked, this, &QvTtutDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QvTtutDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(checkBox1);
    layout->addLayout(form);
    layout->addStretch();
    qv::ui::addButtonRow(layout, {okButton, cancelButton});
}

void QvTtutDialog::setInput(const DeltaTInput& input)
{
    keptDefaultSeconds = input.yearDefaultSeconds;
    checkBox1->setChecked(input.followsYear);
    delTtutEdit1->setText(qv::ui::realText(input.seconds));
    delTtutEdit1->setEnabled(!input.followsYear);
}

DeltaTInput QvTtutDialog::input() const
{
    return {qv::ui::realValue(delTtutEdit1->text()), keptDefaultSeconds, checkBox1->isChecked()};
}

void QvTtutDialog::setDelut()
{
    if (checkBox1->isChecked())
        delTtutEdit1->setText(qv::ui::realText(keptDefaultSeconds));
    delTtutEdit1->setEnabled(!checkBox1->isChecked());
}

QvCheckedDialog::FieldError QvTtutDialog::firstFieldError() const
{
    return realFieldError(delTtutEdit1, "TT - UT", qv::checkDeltaT);
}
