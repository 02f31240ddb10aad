#include "storage/engine/jetliteral.h"

QString jetLiteral(const QString& text) {
    QString doubled = text;
    doubled.replace(u'\'', QLatin1String("''"));
    return u'\'' + doubled + u'\'';
}

QString quotedName(const QString& name) {
    QString doubled = name;
    doubled.replace(u'"', QLatin1String("\"\""));
    return u'"' + doubled + u'"';
}
