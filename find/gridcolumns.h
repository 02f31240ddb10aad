#pragma once
// The columns of the main grid as the user sees them: field name and caption, in the order
// they are shown (a column dragged elsewhere counts at its new place).

#include <QList>
#include <QString>

class QTableView;

struct GridColumn {
    QString field;
    QString caption;
};

// The grid model names each column's field under Qt::UserRole of its header; hidden columns
// are left out.
QList<GridColumn> gridColumns(const QTableView* grid);
