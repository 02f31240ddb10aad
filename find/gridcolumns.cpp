#include "find/gridcolumns.h"

#include <QHeaderView>
#include <QTableView>

QList<GridColumn> gridColumns(const QTableView* grid) {
    QList<GridColumn> columns;
    const QAbstractItemModel* model = grid ? grid->model() : nullptr;
    if (!model)
        return columns;
    const QHeaderView* header = grid->horizontalHeader();
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        if (header->isSectionHidden(logical))
            continue;
        columns << GridColumn{model->headerData(logical, Qt::Horizontal, Qt::UserRole).toString(),
                              model->headerData(logical, Qt::Horizontal).toString()};
    }
    return columns;
}
