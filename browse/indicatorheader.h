#pragma once
// The record indicator column left of the grid: one fixed-width section per row.

#include <QHeaderView>

class IndicatorHeader : public QHeaderView {
public:
    explicit IndicatorHeader(QWidget* parent = nullptr);

    // The width is fixed, so the size never depends on the texts. Qt's own size hint measures
    // the sections' contents each time the indicator moves, which made every move of the
    // current row cost a font look-up per visible row.
    QSize sizeHint() const override;
};
