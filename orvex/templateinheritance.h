#pragma once
// Templates that inherit from another one (<inherited ParentReport="...">): the parent is
// read from the child's folder and the child's changes are applied to it, giving the bytes of
// one whole template.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace orvex {

struct LoadedTemplate {
    bool ok = false;
    QString error; // Czech, naming the file
    QByteArray bytes;
    QStringList warnings;
};

LoadedTemplate loadTemplateFile(const QString& path);

} // namespace orvex
