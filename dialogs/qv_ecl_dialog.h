#pragma once
// "Eclipse Details": shows the details text of one eclipse.
#include <QDialog>

class QTextEdit;

class QvEclDialog : public QDialog {
    Q_OBJECT

public:
    explicit QvEclDialog(QWidget* parent = nullptr);

    // Shows the details text at the font point size, scrolled to its first line.
    void showDetails(const QString& text, int fontPointSize);

private:
    QTextEdit* eclEdit;
};
