#include "storage/engine/regularfile.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace engine {

namespace {

QString systemReason() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

QString tooLarge(qint64 maxBytes) {
    return QStringLiteral("Soubor je větší než %1 bajtů.").arg(maxBytes);
}

// Reads until the end of the file or one byte past the cap; sizes reported by the file
// system are not trusted (files of /proc report none).
bool readUpTo(int fd, qint64 maxBytes, QByteArray& bytes, QString& reason) {
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            reason = systemReason();
            return false;
        }
        if (got == 0)
            return true;
        if (bytes.size() + got > maxBytes) {
            reason = tooLarge(maxBytes);
            return false;
        }
        bytes.append(buffer, got);
    }
}

} // namespace

bool readRegularFile(const QString& path, qint64 maxBytes, QByteArray& bytes, QString& reason) {
    bytes.clear();
    // Without O_NONBLOCK opening a FIFO waits for a writer; the type is checked on the open
    // descriptor, so the file cannot be swapped between the check and the reading.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        reason = systemReason();
        return false;
    }
    struct stat info {};
    bool ok = ::fstat(fd, &info) == 0;
    if (!ok)
        reason = systemReason();
    else if (!S_ISREG(info.st_mode)) {
        reason = QStringLiteral("Nejde o obyčejný soubor.");
        ok = false;
    } else if (info.st_size > maxBytes) {
        reason = tooLarge(maxBytes);
        ok = false;
    } else {
        ok = readUpTo(fd, maxBytes, bytes, reason);
    }
    ::close(fd);
    if (!ok)
        bytes.clear();
    return ok;
}

} // namespace engine
