#include "dialogs/qv_ecl_dialog.h"

#include "dialogs/dialog_form.h"

#include <QBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QTextEdit>

namespace {

// A widget that paints its picture at its own size.
class PictureView : public QWidget {
public:
    explicit PictureView(QWidget* parent) : QWidget(parent) { setMinimumSize(440, 320); }

    void setPainter(QvEclDialog::PicturePainter paint)
    {
        paint_ = std::move(paint);
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (!paint_)
            return;
        QPainter painter(this);
        paint_(painter, QSizeF(size()));
    }

private:
    QvEclDialog::PicturePainter paint_;
};

}  // namespace

QvEclDialog::QvEclDialog(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("QvEclDialog"));
    setWindowTitle(tr("Eclipse Details"));
    eclEdit = qv::ui::makeTextView(this, "eclEdit");
    auto* closeButton =
        qv::ui::makeButton(this, "closeButton", tr("&Close"), QKeySequence(tr("Alt+C")));
    connect(closeButton, &QPushButton::clicked, this, &QvEclDialog::accept);
    qv::ui::layOutTextDialog(this, eclEdit, closeButton);

    // The picture goes to the right of the text, in the text's row.
    eclPicture = new PictureView(this);
    eclPicture->setObjectName(QStringLiteral("eclPicture"));
    eclPicture->hide();
    auto* column = static_cast<QBoxLayout*>(layout());
    auto* row = new QHBoxLayout;
    column->removeWidget(eclEdit);
    row->addWidget(eclEdit, 1);
    row->addWidget(eclPicture, 1);
    column->insertLayout(0, row, 1);
}

void QvEclDialog::showDetails(const QString& text, int fontPointSize)
{
    qv::ui::setTextPointSize(eclEdit, fontPointSize);
    qv::ui::appendPlainText(eclEdit, text);
    qv::ui::showFromStart(eclEdit);
}

void QvEclDialog::showPicture(PicturePainter paint)
{
    static_cast<PictureView*>(eclPicture)->setPainter(std::move(paint));
    eclPicture->show();
    resize(std::max(width(), 1180), std::max(height(), 640));
}
