#pragma once
// "Yearly Totals": shows the yearly totals or the solar panel statistics.
#include <QDialog>

class QTextEdit;

class QvYearDialog : public QDialog {
    Q_OBJECT

public:
    explicit QvYearDialog(QWidget* parent = nullptr);

    // Replaces the shown text, at the font point size.
    void showTotals(const QString& text, int fontPointSize);

private:
    QTextEdit* totEdit;
};
