#pragma once
// Reading a whole file that may be something else than a file: a FIFO would block the
// program for good, a device (a link to /dev/zero) never ends, and a huge file would
// exhaust memory. Only a regular file (a link is followed) of at most maxBytes is read.

#include <QByteArray>
#include <QString>

namespace engine {

// The whole of the file at path into bytes. False with a Czech reason when it is missing,
// not a regular file, larger than maxBytes or cannot be read; bytes is then empty.
bool readRegularFile(const QString& path, qint64 maxBytes, QByteArray& bytes, QString& reason);

} // namespace engine
