#pragma once
// The template directory: which files are report templates and the number of the next one.

#include <QString>
#include <QStringList>

namespace reports {

// The highest number a template file name written by the program can carry.
constexpr int maxTemplateNumber = 99;

// File names of the ordinary, visible "*.fr3" files of dir (a link counts when it leads to
// an ordinary file), in the order the file system delivers them; empty when dir is missing.
QStringList templateFileNames(const QString& dir);

// One more than the largest number formed by the digits of any template file name, as two
// digits ("01" for an empty or missing directory). Empty when that number would exceed
// maxTemplateNumber: the name would then repeat an existing one.
QString NextTemplateNumber(const QString& dir);

} // namespace reports
