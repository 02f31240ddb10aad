#include "export/recordstream.h"

#include "storage/engine/savefile.h"

#include <QSaveFile>

namespace Export1 {

namespace {

// Often enough for a responsive progress window, rarely enough to cost nothing.
constexpr int progressInterval = 512;
// The file is written in pieces of about this size: few system calls, memory flat in the rows.
constexpr size_t writeSize = 1 << 20;

bool keepGoing(const Progress& progress, int done, int total) {
    return !progress || progress(done, total);
}

// The last report (done == total) ends the progress whatever the outcome, so a progress window
// is gone before any message about the outcome appears.
class ProgressEnd {
public:
    ProgressEnd(const Progress& progress, int total) : progress_(progress), total_(total) {}
    ~ProgressEnd() { keepGoing(progress_, total_, total_); }
    ProgressEnd(const ProgressEnd&) = delete;
    ProgressEnd& operator=(const ProgressEnd&) = delete;

private:
    const Progress& progress_;
    int total_;
};

} // namespace

StreamResult streamRecords(const QString& path, const QByteArray& head, int rowCount,
                           const RowPieces& pieces, const QByteArray& tail,
                           const Progress& progress) {
    const ProgressEnd end(progress, rowCount);
    QSaveFile file(path);
    const auto failed = [&file, &path] {
        return StreamResult{Outcome::Failed, fileErrorText(path, file.errorString())};
    };
    if (!file.open(QIODevice::WriteOnly))
        return failed();
    std::string buffer(head.constData(), size_t(head.size()));
    buffer.reserve(writeSize + writeSize / 4);
    const auto writeBuffer = [&file, &buffer] {
        const bool written = engine::writeAll(
            file, QByteArray::fromRawData(buffer.data(), qsizetype(buffer.size())));
        buffer.clear();
        return written;
    };
    bool cancelled = false;
    bool writeFailed = false;
    const QString readError = pieces(buffer, [&](int row) {
        if (row % progressInterval == 0 && !keepGoing(progress, row, rowCount))
            cancelled = true;
        else if (buffer.size() >= writeSize)
            writeFailed = !writeBuffer();
        return !cancelled && !writeFailed;
    });
    if (cancelled)
        return StreamResult{Outcome::Cancelled, {}};
    if (writeFailed)
        return failed();
    if (!readError.isEmpty())
        return StreamResult{Outcome::Failed, readError};
    buffer.append(tail.constData(), size_t(tail.size()));
    if (!writeBuffer())
        return failed();
    QString reason;
    if (!engine::commitAll(file, reason))
        return StreamResult{Outcome::Failed, fileErrorText(path, reason)};
    return {};
}

QString fileErrorText(const QString& path, const QString& reason) {
    return QStringLiteral("Soubor \"%1\" nelze zapsat: %2").arg(path, reason);
}

} // namespace Export1
