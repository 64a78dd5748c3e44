// The eclipse map in the window: it fills the page, zooms and pans by wheel, drag and keys,
// frames the band of totality, answers for the point under the pointer, and a click still
// opens the clicked place's circumstances.
#include <QAbstractScrollArea>
#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QMenuBar>
#include <QProcess>
#include <QRegularExpression>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>

#include <cmath>

#include "app/quorvel_app.h"
#include "app/quorvel_view.h"
#include "base/julian.h"
#include "maps/map_drawing.h"
#include "maps/map_view.h"
#include "reports/eclipse_map.h"
#include "support/window_test.h"

namespace {

// Closes every modal dialog that opens, keeping the text it showed.
class DialogReader : public QObject {
public:
    DialogReader()
    {
        connect(&timer_, &QTimer::timeout, this, [this] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            texts << (dialog->findChild<QTextEdit*>() ? dialog->findChild<QTextEdit*>()->toPlainText() : QString());
            dialog->reject();
        });
        timer_.start(10);
    }
    QStringList texts;

private:
    QTimer timer_;
};

// What quorvel-cli prints for the words, waiting for it to finish.
QString cliOutput(const QStringList& words)
{
    QProcess cli;
    cli.start(qEnvironmentVariable("QUORVEL_CLI"), words);
    return cli.waitForFinished(60000) && cli.exitCode() == 0 ? QString::fromUtf8(cli.readAllStandardOutput())
                                                            : "failed: " + cli.readAllStandardError();
}

void sendMouse(QWidget* target, QEvent::Type type, QPointF position, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, position, target->mapToGlobal(position), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

// Whether a pixel within two of (x, y) has the colour.
bool colourNear(const QImage& image, QPointF point, QColor colour)
{
    const double ratio = image.devicePixelRatio();
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx) {
            const QPoint pixel(qRound(point.x() * ratio) + dx, qRound(point.y() * ratio) + dy);
            if (image.rect().contains(pixel) && image.pixelColor(pixel) == colour)
                return true;
        }
    return false;
}

}  // namespace

class MapWindowTest : public WindowTest {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void mapFillsThePageAndFollowsTheWindow();
    void wheelAndDragKeepThePointUnderThePointer();
    void keysZoomPanAndShowTheWholeWorld();
    void zoomToPathDrawsTheCentralLineAndAClickOpensDallas();
    void specialMapZoomsWhileArrowsStepItsCursor();

private:
    // 2024's eclipse 2, the total solar eclipse of April 8, opened from the list by key.
    QuorvelView* openTotalEclipseMap();
};

void MapWindowTest::init() { startFresh(); }

void MapWindowTest::cleanup() { cleanUp(); }

QuorvelView* MapWindowTest::openTotalEclipseMap()
{
    makeWindow();
    window_->resize(1000, 700);
    settings_.time.year = 2024;
    DialogReader reader;
    QTest::keyClick(window_, Qt::Key_E);
    QTest::keyClick(window_, Qt::Key_2);
    QuorvelView* view = window_->view();
    if (reader.texts.size() != 1 || view->displayMode() != QuorvelView::EclipseMap)
        return nullptr;
    return view;
}

void MapWindowTest::mapFillsThePageAndFollowsTheWindow()
{
    QuorvelView* view = openTotalEclipseMap();
    QVERIFY(view);
    auto* page = window_->findChild<QScrollArea*>();
    QCOMPARE(view->size(), page->viewport()->size());
    QCOMPARE(view->mapView().spanDeg, 360.0);
    QCOMPARE(view->mapView().size, qv::viewAreaOfPicture(view->viewport()->size()));

    view->zoomMap(3.0);
    const qv::MapView before = view->mapView();
    window_->resize(1200, 900);
    QTRY_COMPARE(view->size(), page->viewport()->size());
    QCOMPARE(view->mapView().size, qv::viewAreaOfPicture(view->viewport()->size()));
    QVERIFY(view->mapView().size.width() > before.size.width());
    QCOMPARE(view->mapView().spanDeg, before.spanDeg);
    QCOMPARE(view->mapView().centreLatitudeDeg, before.centreLatitudeDeg);
    QCOMPARE(view->mapView().centreLongitudeDeg, before.centreLongitudeDeg);

    // Back on a text page the view has the page's size again, and the saved map is the
    // fixed design picture.
    QTest::keyClick(window_, Qt::Key_M);
    QCOMPARE(view->displayMode(), int(QuorvelView::TextPage));
    QCOMPARE(view->size(), view->pagePixmap().deviceIndependentSize().toSize());
}

void MapWindowTest::wheelAndDragKeepThePointUnderThePointer()
{
    QuorvelView* view = openTotalEclipseMap();
    QVERIFY(view);
    QWidget* map = view->viewport();
    const QPointF pointer = qv::projectToView(view->mapView(), 40.0, -100.0);

    // Two notches in: the span shrinks by the wheel's factor twice, 40 N 100 W stays put.
    QWheelEvent wheel(pointer, map->mapToGlobal(pointer), QPoint(), QPoint(0, 240), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(map, &wheel);
    QCOMPARE(view->mapView().spanDeg, 360.0 / (1.25 * 1.25));
    const qv::GeoPoint underPointer = qv::viewToGeographic(view->mapView(), pointer);
    QVERIFY(qAbs(underPointer.latitudeDeg - 40.0) < 1e-6);
    QVERIFY(qAbs(underPointer.longitudeDeg + 100.0) < 1e-6);

    // A drag carries the grabbed point along with the pointer and opens nothing.
    DialogReader reader;
    const QPointF dropped = pointer + QPointF(90, 45);
    sendMouse(map, QEvent::MouseButtonPress, pointer, Qt::LeftButton);
    sendMouse(map, QEvent::MouseMove, pointer + QPointF(30, 15), Qt::LeftButton);
    sendMouse(map, QEvent::MouseMove, dropped, Qt::LeftButton);
    sendMouse(map, QEvent::MouseButtonRelease, dropped, Qt::NoButton);
    QTest::qWait(50);
    QVERIFY(reader.texts.isEmpty());
    const qv::GeoPoint underDrop = qv::viewToGeographic(view->mapView(), dropped);
    QVERIFY(qAbs(underDrop.latitudeDeg - 40.0) < 1e-6);
    QVERIFY(qAbs(underDrop.longitudeDeg + 100.0) < 1e-6);

    // Zooming out stops at the whole world, in at about 20 km across.
    for (int i = 0; i < 40; ++i)
        view->zoomMapAt(pointer, 0.5);
    QCOMPARE(view->mapView().spanDeg, qv::kViewMaxSpanDeg);
    for (int i = 0; i < 40; ++i)
        view->zoomMapAt(pointer, 2.0);
    QCOMPARE(view->mapView().spanDeg, qv::kViewMinSpanDeg);
}

void MapWindowTest::keysZoomPanAndShowTheWholeWorld()
{
    QuorvelView* view = openTotalEclipseMap();
    QVERIFY(view);
    QTest::keyClick(window_, Qt::Key_Plus);
    QTest::keyClick(window_, Qt::Key_Plus);
    QCOMPARE(view->mapView().spanDeg, 360.0 / 2.25);
    QCOMPARE(view->mapView().centreLongitudeDeg, 0.0);
    QTest::keyClick(window_, Qt::Key_Minus);
    QCOMPARE(view->mapView().spanDeg, 240.0);
    // An arrow moves the map an eighth of its width or height.
    const double eighthWidth = 240.0 / 8.0;
    const double eighthHeight = view->mapView().size.height() / qv::pixelsPerDegree(view->mapView()) / 8.0;
    QTest::keyClick(window_, Qt::Key_Left);
    QTest::keyClick(window_, Qt::Key_Up);
    QVERIFY(qAbs(view->mapView().centreLongitudeDeg + eighthWidth) < 1e-9);
    QVERIFY(qAbs(view->mapView().centreLatitudeDeg - eighthHeight) < 1e-9);
    QTest::keyClick(window_, Qt::Key_0);
    QCOMPARE(view->mapView().spanDeg, 360.0);
    QCOMPARE(view->mapView().centreLatitudeDeg, 0.0);
    QCOMPARE(view->mapView().centreLongitudeDeg, 0.0);
    QCOMPARE(view->displayMode(), int(QuorvelView::EclipseMap));
}

void MapWindowTest::zoomToPathDrawsTheCentralLineAndAClickOpensDallas()
{
    QuorvelView* view = openTotalEclipseMap();
    QVERIFY(view);
    QAction* zoomToPath = nullptr;
    for (QAction* action : window_->findChildren<QAction*>())
        if (action->text() == "Zoom to &Path")
            zoomToPath = action;
    QVERIFY(zoomToPath);
    zoomToPath->trigger();
    const qv::MapView& zoomed = view->mapView();
    // The band runs from the Pacific over Mexico and North America into the Atlantic.
    QVERIFY2(zoomed.spanDeg > 120.0 && zoomed.spanDeg < 200.0, qPrintable(QString::number(zoomed.spanDeg)));

    // Every central-line point lies on the area, and the line's colour is drawn where the one
    // nearest the middle of the band projects.
    const qv::EclipseMapPoints points = qv::eclipseMapPoints(settings_, view->eclipses().at(1));
    QVERIFY(!points.centralLine.empty());
    const QRectF area(QPointF(0, 0), QSizeF(zoomed.size));
    for (const qv::CentralLinePoint& point : points.centralLine)
        QVERIFY(area.contains(qv::projectToView(zoomed, point.latitudeDeg, point.longitudeDeg)));
    const qv::CentralLinePoint& middle = points.centralLine[points.centralLine.size() / 2];
    const QImage picture = view->viewport()->grab().toImage();
    QVERIFY(colourNear(picture, qv::projectToView(zoomed, middle.latitudeDeg, middle.longitudeDeg),
                       qv::mapColours().total));

    // Resting on Dallas the pointer gets the circumstances there; leaving the map hides them.
    const QPointF dallas = qv::projectToView(zoomed, 32.78, -96.80).toPoint();  // a pixel the pointer can rest on
    auto* panel = view->viewport()->findChild<QLabel*>("pointerPanel");
    QVERIFY(panel);
    sendMouse(view->viewport(), QEvent::MouseMove, dallas, Qt::NoButton);
    QTRY_VERIFY(panel->isVisible());
    QVERIFY2(panel->text().contains(QRegularExpression("Obscuration 100.0 %\nTotality 3 min 5\\d s, \\d+ km from the "
                                                       "central line")),
             qPrintable(panel->text()));
    QVERIFY(panel->geometry().intersects(QRect(QPoint(0, 0), zoomed.size)));
    // View - Copy Pointer Panel copies it; its twin, `map --at`, prints the same for the point under the pointer.
    QCursor::setPos(view->viewport()->mapToGlobal(dallas.toPoint()));
    for (QAction* action : window_->findChildren<QAction*>())
        if (action->text() == "&Copy Pointer Panel")
            action->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), panel->text());
    const qv::GeoPoint underPointer = qv::viewToGeographic(zoomed, dallas);
    const QString at =
        QString("%1,%2").arg(underPointer.latitudeDeg, 0, 'f', 10).arg(underPointer.longitudeDeg, 0, 'f', 10);
    QCOMPARE(cliOutput({"map", "--year", "2024", "--eclipse", "2", "--at", at}), panel->text() + "\n");
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(view->viewport(), &leave);
    QVERIFY(!panel->isVisible());

    // A click at Dallas opens its circumstances, in totality, and the map keeps its view.
    const qv::MapView beforeClick = zoomed;
    DialogReader reader;
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, qv::projectToView(zoomed, 32.78, -96.80).toPoint());
    QTRY_COMPARE(reader.texts.size(), 1);
    const QString details = reader.texts.first();
    const QRegularExpressionMatch place =
        QRegularExpression("Local Circumstances for clicked position\nLat: (\\S+)   Long: (\\S+)   height: 0 m")
            .match(details);
    QVERIFY2(place.hasMatch(), qPrintable(details));
    const double degreesPerPixel = zoomed.spanDeg / zoomed.size.width();
    QVERIFY(qAbs(place.captured(1).toDouble() - 32.78) <= degreesPerPixel);
    QVERIFY(qAbs(place.captured(2).toDouble() + 96.80) <= degreesPerPixel);
    QVERIFY2(details.contains("totality from"), qPrintable(details));
    QCOMPARE(view->mapView().spanDeg, beforeClick.spanDeg);
    QCOMPARE(view->mapView().centreLongitudeDeg, beforeClick.centreLongitudeDeg);
}

// The special map fills the page and zooms as the eclipse map does while the arrow keys still
// step its time cursor; the window shows what `special --view` writes for the same view.
void MapWindowTest::specialMapZoomsWhileArrowsStepItsCursor()
{
    makeWindow();
    window_->resize(1000, 700);
    const double start = qv::modifiedJulianDate(8, 4, 2024, qv::dmsToDecimal(18, 17, 0));
    settings_.time.currentMjdUT = start;
    settings_.special.heightKm = 0.0;
    settings_.special.stepSeconds = 60.0;
    QuorvelView* view = window_->view();
    view->drawSpecialEclipse(settings_);
    QCOMPARE(view->displayMode(), int(QuorvelView::SpecialMap));
    QTRY_COMPARE(view->size(), window_->findChild<QScrollArea*>()->viewport()->size());
    QCOMPARE(view->mapView().spanDeg, 360.0);

    QTest::keyClick(window_, Qt::Key_Plus);
    QTest::keyClick(window_, Qt::Key_Plus);
    QCOMPARE(view->mapView().spanDeg, 160.0);
    QTest::keyClick(window_, Qt::Key_Right);
    QVERIFY(std::fabs(settings_.time.currentMjdUT - (start + 60.0 / 86400.0)) < 1e-9);
    QCOMPARE(view->mapView().centreLongitudeDeg, 0.0);
    QCOMPARE(view->mapView().spanDeg, 160.0);

    const QSize size = view->viewport()->size();
    QTemporaryDir folder;
    const QString path = folder.filePath("special.png");
    QVERIFY(!cliOutput({"special", "--date", "2024-04-08", "--time", "18:17:00", "--sat-height", "0", "--sat-step",
                        "60", "--steps", "1", "--view", "0,0,160", "--size",
                        QString("%1x%2").arg(size.width()).arg(size.height()), "--out", path})
                 .startsWith("failed"));
    const QImage written(path);
    QCOMPARE(view->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32),
             written.convertToFormat(QImage::Format_RGB32));

    QTest::keyClick(window_, Qt::Key_0);
    QCOMPARE(view->mapView().spanDeg, 360.0);
}

QTEST_MAIN(MapWindowTest)
#include "map_window_test.moc"
