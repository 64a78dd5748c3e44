#pragma once
// "Quick Help": shows the built-in help text sent to it line by line.
#include <QDialog>

class QTextEdit;

class QvQuickDialog : public QDialog {
    Q_OBJECT

public:
    explicit QvQuickDialog(QWidget* parent = nullptr);

public slots:
    // Appends a piece of the help text; the piece "$$$" instead scrolls back to the first line.
    void setHelpLine(const QString& line);

private:
    QTextEdit* textEdit1;
};
