#pragma once
// A report run to its preview window, as SestavaADO and the designer's preview show it.

#include <QString>

class QWidget;

namespace engine {
class Connection;
}

namespace orvex {

// Returns when the preview is closed; true when the user asked to edit the template there
// (offered only with offerEditing). Problems are shown in Czech message boxes.
bool showReport(QWidget* parent, const QString& templatePath, const QString& parameters,
                const QString& sql, engine::Connection* connection, bool offerEditing);

} // namespace orvex
