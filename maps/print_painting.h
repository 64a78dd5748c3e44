#pragma once
// Painting of the printed year on paper, shared by the window's Print, Print Preview and
// Export PDF and by the batch companion's pdf command: every page has the header line at the
// top and "Page N of M" at the bottom; text pages keep the screen's character columns in a
// fixed-pitch font and stay real text; a map page holds the eclipse's title, its map painted
// by the map drawing as vectors at the device's resolution, and the map's legend; a picture
// page (maps/chart_frame.h) fills the page between header and footer.
#include <QByteArray>
#include <QPageLayout>
#include <QRectF>

#include <string>

#include "reports/print_document.h"

class QPagedPaintDevice;

namespace qv {

// The paper of the user's locale: Letter where it measures in US units, else A4.
PrintPaper localePaper();

// The page of that paper and orientation with the document's margins.
QPageLayout printPageLayout(PrintPaper paper, bool landscape);

// Paints the document on the device, whose page layout is already set. False with the reason
// when the device cannot be painted on or a page cannot be started, or when the document has
// no page.
bool paintPrintDocument(QPagedPaintDevice& device, const PrintDocument& document, std::string& error);

// The document as PDF bytes; false with the reason when it could not be made.
bool renderPdf(const PrintDocument& document, const QPageLayout& layout, QByteArray& pdf, std::string& error);

// Where a map page draws its map (721 x 361 map pixels), in points from the page's top-left
// corner.
QRectF printMapRect(const QPageLayout& layout);

}  // namespace qv
