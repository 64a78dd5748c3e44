#include "cli/picture_file.h"

#include <QBuffer>
#include <QImageWriter>

#include <string>

#include "base/replacing_file.h"

namespace qv {

int writeOutFile(const CliContext& context, const QByteArray& bytes)
{
    std::string reason;
    if (!writeReplacingFile(context.options.outPath, bytes.toStdString(), &reason))
        return reportWriteFailure(context.err, context.options.outPath, reason);
    return kCliExitOk;
}

int writePngFile(const CliContext& context, const QImage& picture)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(picture))
        return reportWriteFailure(context.err, context.options.outPath, writer.errorString().toStdString());
    return writeOutFile(context, png);
}

}  // namespace qv
