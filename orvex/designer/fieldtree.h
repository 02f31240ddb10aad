#pragma once
// The tree of what can go into a memo; its entries are dragged onto a band.

#include "orvex/designer/fieldcatalog.h"

#include <QTreeWidget>

namespace orvex::designer {

class FieldTree : public QTreeWidget {
    Q_OBJECT
public:
    explicit FieldTree(QWidget* parent = nullptr);
    void setCatalog(const QVector<FieldGroup>& groups);
    // The item of the entry with this caption (tests, the group condition picker).
    QTreeWidgetItem* findEntry(const QString& caption) const;

signals:
    // Double click: the entry goes into the band that takes new objects.
    void entryActivated(const orvex::designer::FieldEntry& entry);

protected:
    QMimeData* mimeData(const QList<QTreeWidgetItem*>& items) const override;
    QStringList mimeTypes() const override;
};

} // namespace orvex::designer
