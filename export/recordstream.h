#pragma once
// Writes an export file as a stream: a head, one piece per row and a tail, into a temporary
// file that replaces the target only when everything was written. A failure or a stop leaves
// no file behind and an existing target as it was.

#include "export/export1.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <string>

namespace Export1 {

struct StreamResult {
    Outcome outcome = Outcome::Written;
    QString error; // why the file could not be written (Failed only)
};

// Appends each row's piece to the buffer in order and calls `rowDone` after it (which returns
// false to stop); returns the error text when the rows could not be read, else an empty text.
using RowPieces =
    std::function<QString(std::string& buffer, const std::function<bool(int row)>& rowDone)>;

StreamResult streamRecords(const QString& path, const QByteArray& head, int rowCount,
                           const RowPieces& pieces, const QByteArray& tail,
                           const Progress& progress);

// One line naming the file and the reason it could not be written.
QString fileErrorText(const QString& path, const QString& reason);

} // namespace Export1
