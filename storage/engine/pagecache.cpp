#include "storage/engine/pagecache.h"

#include <QtGlobal>

namespace engine {

PageCache::PageCache(int pageSize, int capacity)
    : pageSize_(qMax(1, pageSize)), capacity_(qMax(1, capacity)) {}

PageCache::Page* PageCache::held(int row) {
    const auto found = pages_.find(pageOf(row));
    return found == pages_.end() ? nullptr : &found->second;
}

const PageCache::Row* PageCache::find(int row) {
    const int page = pageOf(row);
    if (page != lastPage_) {
        Page* entry = held(row);
        if (!entry)
            return nullptr;
        byUse_.splice(byUse_.end(), byUse_, entry->use);
        lastPage_ = page;
        last_ = entry;
    }
    const int offset = row % pageSize_;
    return offset < last_->rows.size() ? &last_->rows[offset] : nullptr;
}

void PageCache::keep(int page, QVector<Row> rows) {
    auto found = pages_.find(page);
    if (found == pages_.end()) {
        if (int(pages_.size()) >= capacity_)
            drop(pages_.find(byUse_.front()));
        found = pages_.emplace(page, Page{{}, byUse_.insert(byUse_.end(), page)}).first;
    } else {
        byUse_.splice(byUse_.end(), byUse_, found->second.use);
    }
    found->second.rows = std::move(rows);
    lastPage_ = page;
    last_ = &found->second;
}

void PageCache::replace(int row, const Row& stored) {
    Page* entry = held(row);
    const int offset = row % pageSize_;
    if (entry && offset < entry->rows.size())
        entry->rows[offset] = stored;
}

void PageCache::append(int row, const Row& stored) {
    Page* entry = held(row);
    if (entry && row % pageSize_ == entry->rows.size())
        entry->rows.append(stored);
}

void PageCache::remove(int row) {
    const int first = pageOf(row);
    for (auto page = pages_.begin(); page != pages_.end();) {
        if (page->first >= first)
            drop(page++);
        else
            ++page;
    }
}

void PageCache::clear() {
    pages_.clear();
    byUse_.clear();
    lastPage_ = -1;
    last_ = nullptr;
}

void PageCache::drop(std::unordered_map<int, Page>::iterator page) {
    if (page->first == lastPage_) {
        lastPage_ = -1;
        last_ = nullptr;
    }
    byUse_.erase(page->second.use);
    pages_.erase(page);
}

} // namespace engine
