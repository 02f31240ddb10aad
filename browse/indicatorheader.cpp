#include "browse/indicatorheader.h"

IndicatorHeader::IndicatorHeader(QWidget* parent) : QHeaderView(Qt::Vertical, parent) {
    // As the table view's own header: a click on the indicator picks the row.
    setSectionsClickable(true);
}

QSize IndicatorHeader::sizeHint() const {
    return QSize(width(), defaultSectionSize());
}
