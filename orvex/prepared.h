#pragma once
// Laid-out pages: what to draw where, in 96-dpi pixels from the paper's top left corner.
// Items point at the template objects they come from, so the report stays alive with them.

#include "orvex/model.h"

#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QVector>
#include <memory>

namespace orvex {

struct PreparedItem {
    const ReportObject* object = nullptr; // style: kind, font, frame, fill, alignment
    QRectF rect;
    QString text;          // memos: the evaluated text
    double clipBottom = 0; // > 0: nothing is drawn below this line (a band cut at the page end)
    int highlight = -1;    // index of the object's highlight in force, -1: none
    double clipTop = 0;    // > 0: nothing is drawn above this line (the rest of a split band)
};

struct PreparedPage {
    double widthMm = 210;
    double heightMm = 297;
    QVector<PreparedItem> items;
};

struct PreparedReport {
    std::shared_ptr<const Report> report;
    QVector<PreparedPage> pages;
    QStringList warnings;
};

} // namespace orvex
