#pragma once
// The fifteen grid columns over the book data set. Cells are read on demand through the data
// set's page cache, so only the rows on screen are ever read; the row count is cached and
// follows the data set's notifications.

#include "storage/engine/dataset.h"

#include <QAbstractTableModel>
#include <QVector>

class BookModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int columns = 15;

    explicit BookModel(engine::DataSet& book, QObject* parent = nullptr);

    // The designed layout of a column (0-based, in the designed order).
    static QString fieldName(int column);
    static int designedWidth(int column);

    // The book-dependent titles: the partner column and the three date columns.
    void setPartnerTitle(const QString& title);
    void setDateTitles(const QStringList& titles);

    // True while the model passes on a change of the data set (rows added, removed, reset);
    // the view's own reactions to it are not moves of the user.
    bool isSyncing() const { return syncing_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    engine::DataSet& book_;
    QStringList titles_;
    QVector<int> fieldIndexes_; // data set field of each column, -1 when missing
    int rows_ = 0;
    int currentRow_ = -1;
    bool syncing_ = false;

    int bookRows() const;
    void setTitle(int column, const QString& title);
    void resetRows();
    void insertRow(int row);
    void removeRow(int row);
    void updateRow(int row);
    void moveIndicator(int row);
    void refreshIndicator();
    QString indicator() const;
};
