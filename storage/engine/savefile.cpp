#include "storage/engine/savefile.h"

#include <QSaveFile>

namespace engine {

bool writeAll(QSaveFile& file, const QByteArray& bytes) {
    qint64 done = 0;
    while (done < bytes.size()) {
        // After a short write the next attempt fails with the system's reason.
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            return false;
        done += written;
    }
    return true;
}

bool commitAll(QSaveFile& file, QString& error) {
    // A flush that puts out only part of the buffer is tried once more to learn the reason.
    if (!file.flush() && !file.flush()) {
        error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (file.commit())
        return true;
    error = file.errorString();
    return false;
}

} // namespace engine
