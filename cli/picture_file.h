#pragma once
// A picture the batch companion writes as the file named by --out.
#include <QByteArray>
#include <QImage>

#include "cli/commands.h"

namespace qv {

// Writes bytes through the program's one file writer: either the whole file or nothing, with
// the system's reason when it fails. Returns the exit status.
int writeOutFile(const CliContext& context, const QByteArray& bytes);

// Encodes the picture as a PNG in memory and writes it as writeOutFile does.
int writePngFile(const CliContext& context, const QImage& picture);

}  // namespace qv
