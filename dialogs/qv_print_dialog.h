#pragma once
// "Print": what to print (the page on screen, or chosen parts of the whole year), the paper
// and the orientation. Asked before Print, Print Preview and Export PDF.
#include <QDialog>
#include <QList>

#include "reports/print_document.h"

class QCheckBox;
class QPushButton;
class QRadioButton;

namespace qv {

struct PrintChoice {
    bool wholeYear = true;           // false: the page on screen
    unsigned parts = kPrintWholeYear;  // PrintPart bits, for the whole year
    PrintPaper paper = PrintPaper::kA4;
    bool landscape = false;
};

}  // namespace qv

class QvPrintDialog : public QDialog {
    Q_OBJECT

public:
    explicit QvPrintDialog(QWidget* parent = nullptr);

    // pageOnScreen: whether the view shows a page that can be printed; without one the whole
    // year is the only choice.
    void setParams(const qv::PrintChoice& choice, bool pageOnScreen);
    qv::PrintChoice getParams() const;

private:
    // The parts are chosen only for the whole year, and OK needs at least one.
    void updateButtons();

    QRadioButton* screenButton;
    QRadioButton* yearButton;
    QList<QCheckBox*> partBoxes;  // in the order of kPrintPartKeys
    QRadioButton* a4Button;
    QRadioButton* letterButton;
    QRadioButton* portraitButton;
    QRadioButton* landscapeButton;
    QPushButton* okButton;
};
