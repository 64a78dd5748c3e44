#pragma once
// "Quick Help": shows the built-in help text sent to it line by line.
#include <QDialog>

class QTextEdit;

class QvQuickDialog : public QDialog {
    Q_OBJECT

public:
    explicit QvQuickDialog(QWidget* parent = nullptr);

public slots:
    // Appends a piece of the help text.
    void setHelpLine(const QString& line);
    // Scrolls back to the first line.
    void showFromStart();

private:
    QTextEdit* textEdit1;
};
