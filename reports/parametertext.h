#pragma once
// The parameter text handed to the report library with every report.

#include <QString>

struct Settings;

namespace reports {

// The 17 "key|value" pairs joined by "|": the title, the business details, the currency, the
// title again, the active book and its three date captions. Values go in as they are.
QString reportParameterText(const QString& title, const Settings& settings, int typProstredi);

} // namespace reports
