#include "dialogs/qv_checked_dialog.h"

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
