#pragma once
// Lays a template out over its rows into prepared pages: bands in their order, page breaks
// that keep the page footer's space free, headers repeated on new pages, groups, aggregates
// and page numbers (TotalPages# is filled in once the last page is known).

#include "orvex/datatable.h"
#include "orvex/prepared.h"

#include <QDateTime>
#include <QHash>
#include <functional>
#include <memory>

namespace orvex {

struct LayoutInput {
    std::shared_ptr<const Report> report;
    std::shared_ptr<const DataTable> data;
    QHash<QString, QString> parameters;
    QDateTime now = QDateTime::currentDateTime();
    // Called with each page as soon as it is laid out, in order; returning false stops the
    // layout after that page. Until the last page is known, a count of all pages shows as "…".
    std::function<bool(const PreparedPage& page, int index)> pageDone;
    // Called once the count is known with each page handed on earlier that shows it.
    std::function<void(const PreparedPage& page, int index)> pageUpdated;
};

// Needs a QGuiApplication: texts are measured with the installed fonts.
PreparedReport layoutReport(const LayoutInput& input);

} // namespace orvex
