// The window's Print, Print Preview and Export PDF commands: what to print is asked first (the
// page on screen or parts of the whole year, the paper and the orientation), then the
// printer's own dialog, the preview or the file name.
#include "app/quorvel_app.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStatusBar>

#include "app/quorvel_view.h"
#include "base/replacing_file.h"
#include "maps/print_painting.h"

namespace {

// The default printer's paper when it is A4 or Letter, else the locale's.
qv::PrintPaper defaultPaper()
{
    const QPageSize::PageSizeId printerPaper = QPrinterInfo::defaultPrinter().defaultPageSize().id();
    if (printerPaper == QPageSize::Letter)
        return qv::PrintPaper::kLetter;
    if (printerPaper == QPageSize::A4)
        return qv::PrintPaper::kA4;
    return qv::localePaper();
}

void applyChoice(QPrinter& printer, const qv::PrintChoice& choice)
{
    printer.setPageLayout(qv::printPageLayout(choice.paper, choice.landscape));
    printer.setDocName(QStringLiteral("Quorvel"));
}

}  // namespace

bool QuorvelApp::askPrintChoice()
{
    if (!printChoice_) {
        printChoice_ = qv::PrintChoice{};
        printChoice_->paper = defaultPaper();
    }
    QvPrintDialog dialog(this);
    dialog.setParams(*printChoice_, screenPagePrintable());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    printChoice_ = dialog.getParams();
    return true;
}

bool QuorvelApp::screenPagePrintable() const
{
    const int mode = view_->displayMode();
    return mode == QuorvelView::TextPage || mode == QuorvelView::EclipseList || mode == QuorvelView::EclipseMap ||
           mode == QuorvelView::ChartPage;
}

qv::PrintDocument QuorvelApp::chosenDocument() const
{
    const qv::PrintChoice choice = printChoice_.value_or(qv::PrintChoice{});
    if (choice.wholeYear || !screenPagePrintable())
        return qv::buildYearDocument(settings_, choice.parts);
    if (view_->displayMode() == QuorvelView::ChartPage)
        return qv::buildChartDocument(view_->chartSettings(), view_->chart()->name, view_->chartOptions());
    if (view_->displayMode() == QuorvelView::EclipseList)
        return qv::buildPageDocument(view_->listSettings(), view_->viewPage());
    if (view_->displayMode() == QuorvelView::EclipseMap) {
        // The view keeps the map style it draws with beside its settings.
        qv::SettingsRecord mapSettings = view_->listSettings();
        mapSettings.display.mapProjection = view_->mapProjection();
        mapSettings.display.centralMeridianDeg = view_->centralMeridian();
        return qv::buildMapDocument(mapSettings, view_->selectedEclipse());
    }
    return qv::buildPageDocument(settings_, page_);
}

void QuorvelApp::showPrintFailure(const char* title, const QString& target, const std::string& reason)
{
    const QString why = QString::fromStdString(reason);
    statusBar()->showMessage(tr("*** ERROR ***  unable to print on %1: %2").arg(target, why));
    QMessageBox::warning(this, tr(title), tr("Printing on %1 failed:\n%2.").arg(target, why));
}

void QuorvelApp::slotFilePrint()
{
    status("Print the page or the year...");
    if (!askPrintChoice()) {
        status("Printing cancelled.");
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    applyChoice(printer, *printChoice_);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) {
        status("Printing cancelled.");
        return;
    }
    // Printing to a file goes through the file writer: the file is whole or not there.
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
        writePdf(printer.outputFileName(), printer.pageLayout());
        return;
    }
    std::string reason;
    if (!qv::paintPrintDocument(printer, chosenDocument(), reason)) {
        showPrintFailure("Print", printer.printerName(), reason);
        return;
    }
    status("Ready.");
}

void QuorvelApp::slotFilePrintPreview()
{
    status("Preview the printed pages...");
    if (!askPrintChoice()) {
        status("Printing cancelled.");
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    applyChoice(printer, *printChoice_);
    const qv::PrintDocument document = chosenDocument();
    QPrintPreviewDialog dialog(&printer, this);
    dialog.setObjectName(QStringLiteral("printPreviewDialog"));
    std::string reason;
    QString target;
    // Called for the preview and again when the preview's own Print button prints.
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [&](QPrinter* device) {
        std::string error;
        if (!qv::paintPrintDocument(*device, document, error)) {
            reason = error;
            target = device->printerName();
        }
    });
    dialog.exec();
    if (!reason.empty()) {
        showPrintFailure("Print Preview", target, reason);
        return;
    }
    status("Ready.");
}

void QuorvelApp::slotFileExportPdf()
{
    status("Export to a PDF file...");
    if (!askPrintChoice()) {
        status("Export cancelled.");
        return;
    }
    QFileDialog dialog(this, tr("Export PDF"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(tr("PDF files (*.pdf)"));
    dialog.setDefaultSuffix("pdf");
    dialog.selectFile(QDir::current().absoluteFilePath(QString("quorvel-%1.pdf").arg(settings_.time.year)));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        status("Export cancelled.");
        return;
    }
    exportPdf(dialog.selectedFiles().constFirst());
}

bool QuorvelApp::exportPdf(const QString& path)
{
    const qv::PrintChoice choice = printChoice_.value_or(qv::PrintChoice{});
    return writePdf(path, qv::printPageLayout(choice.paper, choice.landscape));
}

bool QuorvelApp::writePdf(const QString& path, const QPageLayout& layout)
{
    QByteArray pdf;
    std::string error;
    if (!qv::renderPdf(chosenDocument(), layout, pdf, error)) {
        reportExportFailure("Export PDF", path, error);
        return false;
    }
    return writeExport("Export PDF", path, pdf.toStdString(), tr("PDF written to %1").arg(path));
}
