#include "reports/templatedirectory.h"

#include "dialogs/dialogy.h"

#include <QCoreApplication>
#include <QDir>
#include <algorithm>

namespace reports {

namespace {

// The value of a digit text, saturated just above the limit so that any length is safe.
int numberOf(const QString& digits) {
    int value = 0;
    for (const QChar digit : digits) {
        value = value * 10 + digit.digitValue();
        if (value > maxTemplateNumber)
            return maxTemplateNumber + 1;
    }
    return value;
}

} // namespace

QStringList templateFileNames(const QString& dir) {
    // Without QDir::Hidden and QDir::System, hidden entries, FIFOs, sockets and devices stay
    // out, but a link to one of them would not; only what a link leads to counts.
    QStringList names;
    const QFileInfoList entries =
        QDir(dir).entryInfoList({QStringLiteral("*.fr3")}, QDir::Files, QDir::Unsorted);
    for (const QFileInfo& entry : entries) {
        if (entry.isFile())
            names << entry.fileName();
    }
    return names;
}

QString NextTemplateNumber(const QString& dir) {
    int largest = 0;
    for (const QString& name : templateFileNames(dir)) {
        largest = std::max(largest, numberOf(dialogs::DigitsOnly(name.chopped(3))));
        QCoreApplication::processEvents();
    }
    if (largest >= maxTemplateNumber)
        return {};
    return dialogs::PadText(QString::number(largest + 1), 2, 2);
}

} // namespace reports
