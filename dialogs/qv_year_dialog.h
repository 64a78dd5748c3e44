#pragma once
// "Yearly Totals": shows the yearly totals or the solar panel statistics.
#include <QDialog>

class QTextEdit;

class QvYearDialog : public QDialog {
    Q_OBJECT

public:
    explicit QvYearDialog(QWidget* parent = nullptr);

    // Replaces the shown text by s3, at font point size fntsz.
    void setParams(const QString& s3, int fntsz);

private:
    QTextEdit* totEdit;
};
