#pragma once
// "Eclipse Details": shows the details text of one eclipse.
#include <QDialog>

class QTextEdit;

class QvEclDialog : public QDialog {
    Q_OBJECT

public:
    explicit QvEclDialog(QWidget* parent = nullptr);

    // Shows the details text s at font point size fz, scrolled to its first line.
    void getParams(QString s, int fz);

private:
    QTextEdit* eclEdit;
};
