#pragma once
// The most recently read pages of a long row set, a bounded number of them.
//
// Rows are grouped in pages of a fixed size by their position in the set; when the cache is
// full, the page used longest ago makes room. Reads mostly stay on one page, so a read from the
// page read last costs no bookkeeping.

#include <QList>
#include <QVariant>
#include <QVector>
#include <list>
#include <unordered_map>

namespace engine {

class PageCache {
public:
    using Row = QVector<QVariant>;

    PageCache(int pageSize, int capacity);

    int pageSize() const { return pageSize_; }
    int pageOf(int row) const { return row / pageSize_; }

    // The row at a position, or nullptr when its page is not held; a hit makes the page the
    // most recently used one. The row stays valid until the cache next changes.
    const Row* find(int row);
    // Holds the rows of a page just read (its first row at page * pageSize), as the most
    // recently used page; the least recently used one goes when the cache is full.
    void keep(int page, QVector<Row> rows);

    // A row was stored anew: a held copy of it is replaced.
    void replace(int row, const Row& stored);
    // A row was added at the end of the set (at position `row`): a held last page takes it.
    void append(int row, const Row& stored);
    // A row left the set: the rows after it move up one place, so its page and every later one
    // are dropped.
    void remove(int row);
    void clear();

    // Held pages, least recently used first.
    QList<int> pagesByUse() const { return QList<int>(byUse_.begin(), byUse_.end()); }

private:
    struct Page {
        QVector<Row> rows;
        std::list<int>::iterator use;
    };

    int pageSize_;
    int capacity_;
    std::unordered_map<int, Page> pages_; // nodes stay put, so last_ survives other insertions
    std::list<int> byUse_;                // least recently used first
    int lastPage_ = -1;
    Page* last_ = nullptr;

    Page* held(int row);
    void drop(std::unordered_map<int, Page>::iterator page);
};

} // namespace engine
