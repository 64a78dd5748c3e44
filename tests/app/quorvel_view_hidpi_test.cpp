// The view at 200 % scaling: pixmaps at twice the pixels, text drawn at that resolution, and
// every position still in logical pixels.
#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

#include "app/quorvel_app.h"
#include "app/quorvel_view.h"
#include "base/julian.h"
#include "base/page_buffer.h"
#include "config/settings_io.h"
#include "maps/map_drawing.h"
#include "maps/map_view.h"
#include "reports/eclipse_map.h"
#include "reports/eclipse_details.h"
#include "reports/year_tables.h"

namespace {

constexpr int kRatio = 2;

// The smallest rectangle holding every pixel that is not white.
QRect inkBounds(const QImage& image)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// Whether some 2 x 2 block at even coordinates holds two different pixels: a page drawn at one
// pixel per logical pixel and then enlarged never does.
bool hasDetailFinerThanALogicalPixel(const QImage& image)
{
    for (int y = 0; y + 1 < image.height(); y += kRatio)
        for (int x = 0; x + 1 < image.width(); x += kRatio) {
            const QRgb corner = image.pixel(x, y);
            if (image.pixel(x + 1, y) != corner || image.pixel(x, y + 1) != corner ||
                image.pixel(x + 1, y + 1) != corner)
                return true;
        }
    return false;
}

}  // namespace

class QuorvelViewHiDpiTest : public QObject {
    Q_OBJECT

private slots:
    void pageIsDrawnAtTheScreensPixelRatio();
    void eclipseMapKeepsTheViewAtItsLogicalSize();
    void eclipseMapIsDrawnInDevicePixels();
    void toolBarIconsComeAtTwiceTheirSize();
    void chartFillsThePageAtTheScreensResolution();
};

void QuorvelViewHiDpiTest::pageIsDrawnAtTheScreensPixelRatio()
{
    QuorvelView view;
    QCOMPARE(view.devicePixelRatioF(), qreal(kRatio));
    const QString text = "Full Moon WWW";
    qv::PageBuffer page;
    qv::appendLine(page, text.toLatin1().constData());
    view.renderPage(false, page);

    const QPixmap& pixmap = view.pagePixmap();
    QCOMPARE(pixmap.devicePixelRatio(), qreal(kRatio));
    QCOMPARE(pixmap.size(), QSize(860, 771) * kRatio);
    QCOMPARE(pixmap.deviceIndependentSize(), QSizeF(860, 771));

    // The line stands where it stands at ratio 1, in logical pixels: from the left margin of
    // 10 to the end of its text, on a baseline one ascent below the top.
    const QImage image = pixmap.toImage();
    const QRect ink = inkBounds(image);
    const QFontMetrics metrics(QFont("helvetica", view.fontSize()));
    const double right = 10 + metrics.horizontalAdvance(text);
    QVERIFY2(ink.left() >= 10 * kRatio && ink.left() <= 12 * kRatio, qPrintable(QString::number(ink.left())));
    QVERIFY2(qAbs(ink.right() / double(kRatio) - right) <= 2.0, qPrintable(QString::number(ink.right())));
    QVERIFY(ink.bottom() <= (metrics.ascent() + metrics.descent()) * kRatio);
    QVERIFY(ink.height() > metrics.capHeight() * kRatio * 0.8);
    QVERIFY(hasDetailFinerThanALogicalPixel(image));
}

void QuorvelViewHiDpiTest::eclipseMapKeepsTheViewAtItsLogicalSize()
{
    QuorvelView view;
    qv::SettingsRecord settings;
    qv::setDefaultSettings(settings, 0);
    settings.time.year = 2024;  // eclipse 2: the total solar eclipse of April 8
    view.showEclipseList(settings);
    const qv::EclipseEvent eclipse = qv::eclipsesOfYear(settings).at(1);
    view.drawEclipseMap(settings, eclipse, qv::circumstancesAtObserver(settings, eclipse));
    QCOMPARE(view.displayMode(), int(QuorvelView::EclipseMap));
    QCOMPARE(view.pagePixmap().size(), QSize(860, 771) * kRatio);
    QCOMPARE(view.size(), QSize(860, 771));
}

// Framed on the band of totality, the central line lies within one device pixel of where each
// of its points projects, in a picture of twice the view's pixels.
void QuorvelViewHiDpiTest::eclipseMapIsDrawnInDevicePixels()
{
    QuorvelView view;
    qv::SettingsRecord settings;
    qv::setDefaultSettings(settings, 0);
    settings.time.year = 2024;
    view.showEclipseList(settings);
    const qv::EclipseEvent eclipse = qv::eclipsesOfYear(settings).at(1);
    view.drawEclipseMap(settings, eclipse, qv::circumstancesAtObserver(settings, eclipse));
    view.resize(1000, 700);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.zoomMapToPath();
    const QImage image = view.viewport()->grab().toImage();
    QCOMPARE(image.size(), view.viewport()->size() * kRatio);

    const QColor total = qv::mapColours().total;
    const qv::EclipseMapPoints points = qv::eclipseMapPoints(settings, eclipse);
    // The ring of greatest eclipse covers the line where it stands.
    const QPointF greatest =
        qv::projectToView(view.mapView(), points.greatest.latitudeDeg, points.greatest.longitudeDeg);
    QStringList missed;
    for (const qv::CentralLinePoint& point : points.centralLine) {
        const QPointF logical = qv::projectToView(view.mapView(), point.latitudeDeg, point.longitudeDeg);
        if (QLineF(logical, greatest).length() < 8.0)
            continue;
        const QPointF device = logical * kRatio;
        bool found = false;
        for (int dy = -1; dy <= 1 && !found; ++dy)
            for (int dx = -1; dx <= 1 && !found; ++dx)
                found = image.pixelColor(qRound(device.x()) + dx, qRound(device.y()) + dy) == total;
        if (!found)
            missed << QString("%1,%2").arg(device.x()).arg(device.y());
    }
    QVERIFY2(missed.isEmpty(), qPrintable(missed.join(' ')));
    QVERIFY(hasDetailFinerThanALogicalPixel(image));
}

void QuorvelViewHiDpiTest::toolBarIconsComeAtTwiceTheirSize()
{
    QTemporaryDir directory;
    qv::SettingsRecord settings;
    qv::PageBuffer page;
    QuorvelApp window(settings, page, directory.filePath("quorvel.cfg"));
    int sharpIcons = 0;
    for (QAction* action : window.findChild<QToolBar*>()->actions())
        sharpIcons += action->icon().availableSizes().contains(QSize(20, 20) * kRatio) ? 1 : 0;
    QCOMPARE(sharpIcons, 7);
}

// A picture page fills the view's page at twice the pixels, and is drawn again at its new size
// when the page is resized.
void QuorvelViewHiDpiTest::chartFillsThePageAtTheScreensResolution()
{
    QuorvelView view;
    view.resize(900, 600);
    view.show();
    qv::SettingsRecord settings;
    qv::setDefaultSettings(settings, 0);
    view.showChart(*qv::findChartKind("daylight"), settings, qv::ChartOptions{});
    QCOMPARE(view.displayMode(), int(QuorvelView::ChartPage));
    QCOMPARE(view.chartPixmap().devicePixelRatio(), qreal(kRatio));
    QCOMPARE(view.chartPixmap().deviceIndependentSize().toSize(), view.viewport()->size());
    QVERIFY(hasDetailFinerThanALogicalPixel(view.chartPixmap().toImage()));
    view.resize(700, 500);
    view.viewport()->repaint();
    QCOMPARE(view.chartPixmap().deviceIndependentSize().toSize(), view.viewport()->size());
    QCOMPARE(view.chartPixmap().size(), view.viewport()->size() * kRatio);
}

int main(int argc, char** argv)
{
    qputenv("QT_SCALE_FACTOR", QByteArray::number(kRatio));
    QApplication application(argc, argv);
    QuorvelViewHiDpiTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "quorvel_view_hidpi_test.moc"
