#pragma once
// Checked writing through QSaveFile. In this Qt version QSaveFile takes a short write for a
// success, and commit() ignores a failed flush of its buffer: a full disk or a file size limit
// would then replace the old file with a cut-off one. These helpers catch both, so a failed
// write always leaves the old file as it was.

#include <QByteArray>
#include <QString>

class QSaveFile;

namespace engine {

// Writes all of bytes; false when not everything went out (errorString() tells why).
bool writeAll(QSaveFile& file, const QByteArray& bytes);
// Puts out the buffered bytes, then replaces the target. On failure the temporary file is
// gone, the target is untouched and error receives the reason.
bool commitAll(QSaveFile& file, QString& error);

} // namespace engine
