#pragma once
// Opening a template in the report designer from the command line.

#include <QString>

namespace lumirareport {

// Runs the designer on the template and returns the exit code; *error gets a Czech text
// when the designer cannot be opened.
int openDesigner(const QString& templatePath, QString* error);

} // namespace lumirareport
