#pragma once
// Reads a report template (the XML form of the designer's files) into the object model.
// What the library does not support is skipped and named in the warnings.

#include "orvex/model.h"

#include <QByteArray>
#include <QStringList>

namespace orvex {

struct ParseResult {
    bool ok = false;
    QString error; // Czech, when the file cannot be read at all
    Report report;
    QStringList warnings;
};

ParseResult parseTemplate(const QByteArray& bytes);

} // namespace orvex
