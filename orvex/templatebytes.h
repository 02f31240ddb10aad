#pragma once
// Turns the bytes of a template file into well-formed UTF-8 for the XML reader. Files that
// declare utf-8 but hold Windows-1250 bytes are common (older designers and the program's own
// new-template skeleton write them), and a bare "&" or "<" in a report name is common too.

#include <QByteArray>
#include <QString>

namespace orvex {

struct RepairedTemplate {
    QByteArray utf8;
    // Some byte runs were not UTF-8: in the report's own start tag (names, printer; the
    // program's new-template skeleton writes them so) or in the content that gets printed.
    bool decodedInHeader = false;
    bool decodedInContent = false;
    bool escapedAmpersands = false;
    bool escapedLessThan = false;
};

RepairedTemplate repairTemplateBytes(const QByteArray& raw);

} // namespace orvex
