#pragma once
// The main view: shows one picture at a time (a text page, the eclipse list, an eclipse map
// or the special-eclipse map). Text is rasterised once into an off-screen pixmap; painting
// only copies the pixmap of the current mode.
#include <QPixmap>
#include <QScrollArea>

#include "base/page_buffer.h"
#include "base/settings.h"

class QuorvelView : public QScrollArea {
    Q_OBJECT
public:
    enum DisplayMode { NoPage = 0, TextPage = 1, EclipseList = 2, EclipseMap = 3, SpecialMap = 4 };

    explicit QuorvelView(QWidget* parent = nullptr);

    void setFontSize(int pointSize);
    void setMapSettings(int grid, int grey, int step, int projection, double centralMeridian);
    // Draws a page; marked lines are fixed-pitch only when fixedPitchAllowed is non-zero.
    void renderPage(int fixedPitchAllowed, const qv::PageBuffer& page);
    // Builds the year's eclipse list from the main settings and draws it with numbered lines.
    void showEclipseList(const qv::SettingsRecord& settings);
    // Arrow keys: steps the special-eclipse time on its map, else scrolls the page.
    void keyStep(int dx, int dy, qv::SettingsRecord& settings);
    // Number keys 1..10: opens the details of that eclipse of the list.
    void selectEclipse(int n);
    virtual void refreshView();

    int displayMode() const { return displayMode_; }
    int fontSize() const { return fontSize_; }
    int lineTop(int n) const { return lineTops_[n]; }
    int numberedLineCount() const { return numberedLineCount_; }
    const QPixmap& pagePixmap() const { return pagePixmap_; }
    qv::SettingsRecord& viewSettings() { return viewSettings_; }
    qv::PageBuffer& viewPage() { return viewPage_; }
    bool earthLoaded() const { return earthLoaded_; }
    int mapProjection() const { return mapProjection_; }
    double centralMeridian() const { return centralMeridian_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // Draws the lines of a page into pagePixmap; records the numbered lines of a list page.
    void drawPageText(const qv::PageBuffer& page, bool fixedPitchAllowed, bool recordLineTops);
    void takeWindowFocus();
    // Opens the details of the list line above the vertical position y of the list page.
    void showEclipseDetails(int y);

    // Map geometry of the eclipse world map: origin and scales.
    int x0_ = 0;
    int y0_ = 0;
    double sx_ = 1.0;
    double sy_ = 1.0;
    QPixmap pagePixmap_;
    QPixmap captionPixmap_;
    QPixmap earthPixmap_;
    QPixmap specialMapPixmap_;
    int lineTops_[13] = {};
    int numberedLineCount_ = 0;
    qv::PageBuffer viewPage_;
    qv::SettingsRecord viewSettings_;
    int displayMode_ = NoPage;
    bool earthLoaded_ = false;
    int fontSize_ = 10;
    int mapProjection_ = 0;
    double centralMeridian_ = 0.0;
    // Reference size of the map's off-map marker and clipping.
    int mapReferenceWidth_ = 860;
    int mapReferenceHeight_ = 501;
};
