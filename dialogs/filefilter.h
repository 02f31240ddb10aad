#pragma once
// File-type filters are written as "Name|*.ext|Name|*.ext" pairs; Qt's file dialog wants
// "Name (*.ext)" entries.

#include <QString>
#include <QStringList>

namespace dialogs {

QStringList qtNameFilters(const QString& pipeFilter);
// "xml" for "Dokument XML (*.xml)"; empty when the first pattern names no single extension.
QString filterExtension(const QString& qtNameFilter);

} // namespace dialogs
