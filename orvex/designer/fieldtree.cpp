#include "orvex/designer/fieldtree.h"

#include "orvex/designer/designerscene.h"

#include <QMimeData>

namespace orvex::designer {

FieldTree::FieldTree(QWidget* parent) : QTreeWidget(parent) {
    setHeaderLabel(QStringLiteral("Pole a hodnoty"));
    setDragEnabled(true);
    setDragDropMode(DragOnly);
    setSelectionMode(SingleSelection);
    connect(this, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        FieldEntry entry;
        if (decodeField(item->data(0, Qt::UserRole).toByteArray(), entry))
            emit entryActivated(entry);
    });
}

void FieldTree::setCatalog(const QVector<FieldGroup>& groups) {
    clear();
    for (const FieldGroup& group : groups) {
        auto* top = new QTreeWidgetItem(this, {group.caption});
        top->setFlags(Qt::ItemIsEnabled);
        for (const FieldEntry& entry : group.entries) {
            auto* item = new QTreeWidgetItem(top, {entry.caption});
            item->setToolTip(0, u'[' + entry.expression + u']');
            item->setData(0, Qt::UserRole, encodeField(entry));
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled);
        }
    }
    if (topLevelItemCount() > 0)
        topLevelItem(0)->setExpanded(true);
}

QTreeWidgetItem* FieldTree::findEntry(const QString& caption) const {
    const QList<QTreeWidgetItem*> found = findItems(caption, Qt::MatchExactly | Qt::MatchRecursive);
    for (QTreeWidgetItem* item : found) {
        if (item->parent())
            return item;
    }
    return nullptr;
}

QStringList FieldTree::mimeTypes() const {
    return {QLatin1String(fieldMimeType)};
}

QMimeData* FieldTree::mimeData(const QList<QTreeWidgetItem*>& items) const {
    if (items.isEmpty() || !items.first()->parent())
        return nullptr;
    auto* data = new QMimeData;
    data->setData(QLatin1String(fieldMimeType), items.first()->data(0, Qt::UserRole).toByteArray());
    return data;
}

} // namespace orvex::designer
