#pragma once
// Base of the input dialogs whose values feed the computations directly: OK closes the dialog
// only when every value lies in the range the computations accept.
#include <QDialog>
#include <QString>

#include <cstddef>
#include <string>

class QLineEdit;
class QWidget;

class QvCheckedDialog : public QDialog {
    Q_OBJECT

public:
    using QDialog::QDialog;

    // Message of the first value outside its range, empty when every value is usable.
    QString validationError() const;

public slots:
    // Closes the dialog as accepted, or warns about the first bad value, puts the focus on its
    // field and stays open with the user's text unchanged.
    void accept() override;

protected:
    // A failed range check: its message and the field that holds the value.
    struct FieldError {
        QString message;
        QWidget* field = nullptr;
    };

    // The first failed range check of the form (empty message when all pass).
    virtual FieldError firstFieldError() const = 0;

    // FieldError for field when the check's message is not empty, else an empty one.
    static FieldError fieldError(const std::string& message, QWidget* field);

    // The error of an edit that must hold a real number: "<what> must be a number." for text
    // that is none, else the message of check (nullptr: any number will do).
    static FieldError realFieldError(QLineEdit* edit, const char* what,
                                     std::string (*check)(double) = nullptr);
    // The same for a whole number ("<what> must be a whole number.").
    static FieldError wholeFieldError(QLineEdit* edit, const char* what,
                                      std::string (*check)(long long) = nullptr);
    // The year field: a whole number within the accepted years.
    static FieldError yearFieldError(QLineEdit* edit);
    // The time zone field: hours within the accepted range, or a known zone name; refuses an
    // unknown name with a message naming it.
    static FieldError zoneFieldError(QLineEdit* edit);
    // A date whose year, month and day already passed their own checks: the day must exist in
    // its month ("February 2026 has 28 days."), reported on the day field. Empty while any of
    // the three is no whole number, as its own check reports that.
    static FieldError dateFieldError(QLineEdit* yearEdit, QLineEdit* monthEdit, QLineEdit* dayEdit);
    // The first error with a message among checks, or an empty one.
    template <std::size_t N>
    static FieldError firstOf(const FieldError (&checks)[N])
    {
        for (const FieldError& check : checks)
            if (!check.message.isEmpty())
                return check;
        return {};
    }
};
