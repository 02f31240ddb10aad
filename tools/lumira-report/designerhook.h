#pragma once
// Opening a template in the report designer from the command line.

#include "tools/lumira-report/reportcommand.h"

namespace lumirareport {

// Runs the designer on command.designPath and returns the exit code when it is closed; with
// --db its preview shows the rows of --sql with --params. *error gets a Czech text when the
// designer cannot be opened.
int openDesigner(const ReportCommand& command, QString* error);

} // namespace lumirareport
