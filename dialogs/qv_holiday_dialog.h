#pragma once
// "Cultural and Religious Holidays": shows the holiday page sent to it piece by piece.
#include <QDialog>

class QTextEdit;

class QvHolidayDialog : public QDialog {
    Q_OBJECT

public:
    explicit QvHolidayDialog(QWidget* parent = nullptr);

public slots:
    // Appends a piece of the page.
    void setHolidayLine(const QString& line);
    // Scrolls back to the first line.
    void showFromStart();

private:
    QTextEdit* textEdit1;
};
