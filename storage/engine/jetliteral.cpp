#include "storage/engine/jetliteral.h"

QString jetLiteral(const QString& text) {
    QString doubled = text;
    doubled.replace(u'\'', QLatin1String("''"));
    return u'\'' + doubled + u'\'';
}
