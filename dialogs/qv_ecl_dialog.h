#pragma once
// "Eclipse Details": shows the details text of one eclipse and, beside it, the picture of the
// eclipse as seen from the place.
#include <QDialog>

#include <functional>

class QPainter;
class QSizeF;
class QTextEdit;
class QWidget;

class QvEclDialog : public QDialog {
    Q_OBJECT

public:
    explicit QvEclDialog(QWidget* parent = nullptr);

    // Shows the details text at the font point size, scrolled to its first line.
    void showDetails(const QString& text, int fontPointSize);

    // Paints into a size in pixels; the dialog repaints its picture with it whenever it shows.
    using PicturePainter = std::function<void(QPainter&, QSizeF)>;
    // Shows the picture beside the text (hidden until a picture is given).
    void showPicture(PicturePainter paint);

private:
    QTextEdit* eclEdit;
    QWidget* eclPicture;
};
