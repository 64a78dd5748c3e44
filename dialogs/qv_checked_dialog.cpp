#include "dialogs/qv_checked_dialog.h"

#include "config/input_limits.h"
#include "dialogs/dialog_form.h"

#include <QLineEdit>
#include <QMessageBox>

QString QvCheckedDialog::validationError() const
{
    return firstFieldError().message;
}

void QvCheckedDialog::accept()
{
    const FieldError error = firstFieldError();
    if (error.message.isEmpty()) {
        QDialog::accept();
        return;
    }
    QMessageBox::warning(this, windowTitle(), error.message);
    if (error.field != nullptr)
        error.field->setFocus();
}

QvCheckedDialog::FieldError QvCheckedDialog::fieldError(const std::string& message, QWidget* field)
{
    if (message.empty())
        return {};
    return {QString::fromStdString(message), field};
}

QvCheckedDialog::FieldError QvCheckedDialog::realFieldError(QLineEdit* edit, const char* what,
                                                            std::string (*check)(double))
{
    const std::optional<double> value = qv::ui::typedReal(edit->text());
    if (!value)
        return fieldError(qv::notANumberMessage(what), edit);
    return check != nullptr ? fieldError(check(*value), edit) : FieldError{};
}

QvCheckedDialog::FieldError QvCheckedDialog::wholeFieldError(QLineEdit* edit, const char* what,
                                                             std::string (*check)(long long))
{
    const std::optional<long long> value = qv::ui::typedWhole(edit->text());
    if (!value)
        return fieldError(qv::notAWholeNumberMessage(what), edit);
    return check != nullptr ? fieldError(check(*value), edit) : FieldError{};
}

QvCheckedDialog::FieldError QvCheckedDialog::yearFieldError(QLineEdit* edit)
{
    return wholeFieldError(edit, "Year", qv::checkYear);
}

QvCheckedDialog::FieldError QvCheckedDialog::dateFieldError(QLineEdit* yearEdit, QLineEdit* monthEdit,
                                                            QLineEdit* dayEdit)
{
    const std::optional<long long> year = qv::ui::typedWhole(yearEdit->text());
    const std::optional<long long> month = qv::ui::typedWhole(monthEdit->text());
    const std::optional<long long> day = qv::ui::typedWhole(dayEdit->text());
    if (!year || !month || !day || !qv::checkYear(*year).empty() || !qv::checkMonthNumber(*month).empty() ||
        !qv::checkDayNumber(*day).empty())
        return {};
    return fieldError(qv::checkDateExists(static_cast<int>(*year), static_cast<int>(*month), static_cast<int>(*day)),
                      dayEdit);
}

QvCheckedDialog::FieldError QvCheckedDialog::zoneFieldError(QLineEdit* edit)
{
    const QString text = edit->text().trimmed();
    if (text.isEmpty())
        return {tr("Time zone must be a number or a zone name."), edit};
    if (qv::ui::typedReal(text))
        return realFieldError(edit, "Time zone", qv::checkTimeZone);
    if (qv::ui::typedZone(text, 0.0))
        return {};
    return {tr("Unknown time zone \"%1\".").arg(text), edit};
}
