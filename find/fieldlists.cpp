#include "find/fieldlists.h"

#include "storage/settings.h"

QStringList& DateFieldList() {
    static QStringList list;
    return list;
}

QStringList& FilterFieldList() {
    static QStringList list;
    return list;
}

void rebuildDateFieldList(const Settings& settings, int typProstredi) {
    QStringList& list = DateFieldList();
    list.clear();
    for (int date = 1; date <= 3; ++date)
        list << QStringLiteral("Datum%1=").arg(date) + settings.dateCaption(typProstredi, date);
}

void rebuildFilterFieldList(const QList<GridColumn>& columns) {
    // Amounts, the rate and the dates have no text to look for.
    static const QStringList excluded{QStringLiteral("Id"),       QStringLiteral("Zaklad"),
                                      QStringLiteral("DPH"),      QStringLiteral("Celkem"),
                                      QStringLiteral("SazbaDPH"), QStringLiteral("Datum1"),
                                      QStringLiteral("Datum2"),   QStringLiteral("Datum3")};
    QStringList& list = FilterFieldList();
    list.clear();
    for (const GridColumn& column : columns) {
        if (!excluded.contains(column.field, Qt::CaseSensitive))
            list << column.field + u'=' + column.caption;
    }
}

QString fieldNameOf(const QString& entry) {
    return entry.section(u'=', 0, 0);
}

QString captionOf(const QString& entry) {
    const int separator = entry.indexOf(u'=');
    return separator < 0 ? QString() : entry.mid(separator + 1);
}

QStringList captionsOf(const QStringList& list) {
    QStringList captions;
    for (const QString& entry : list)
        captions << captionOf(entry);
    return captions;
}
