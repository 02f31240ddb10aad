#pragma once
// The report designer of the library: edits a template file in a window of its own.

#include "orvex/orvexglobal.h"

#include <QString>
#include <functional>

class QDialog;
class QWidget;

namespace engine {
class Connection;
}

namespace orvex {

// Opens the designer on the template, modal over parent, and returns when the user closes
// it: true when the template was saved meanwhile. parameters, sql and connection are what
// SestavaADO gets: they feed the designer's preview and the captions of its field tree
// (without a connection there is no preview). A file that cannot be read is reported in a
// Czech message box. exec shows the modal window (the program's own way of showing its
// windows); without it the window runs its own event loop.
ORVEX_EXPORT bool designReport(QWidget* parent, const QString& templatePath,
                               const QString& parameters, const QString& sql,
                               engine::Connection* connection,
                               const std::function<int(QDialog&)>& exec = {});

} // namespace orvex
