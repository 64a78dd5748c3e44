// The printed year as a PDF file, painted offscreen exactly as the window's Export PDF paints it.
#include <QByteArray>

#include <string>

#include "base/replacing_file.h"
#include "cli/commands.h"
#include "cli/offscreen_gui.h"
#include "maps/print_painting.h"
#include "reports/print_document.h"

namespace qv {

int runPdfCommand(CliContext& context)
{
    const CliOptions& options = context.options;
    if (options.outPath.empty()) {
        std::fputs("quorvel-cli: pdf needs --out FILE.pdf\n", context.err);
        return kCliExitUsage;
    }
    const OffscreenGui gui;
    const PrintDocument document = buildYearDocument(context.settings, options.printParts);
    const QPageLayout layout = printPageLayout(options.paper.value_or(localePaper()), options.landscape);
    QByteArray pdf;
    std::string reason;
    if (!renderPdf(document, layout, pdf, reason) ||
        !writeReplacingFile(options.outPath, pdf.toStdString(), &reason))
        return reportWriteFailure(context.err, options.outPath, reason);
    return kCliExitOk;
}

}  // namespace qv
