#include "orvex/layoutengine.h"

#include "orvex/memotext.h"
#include "orvex/reportcontext.h"
#include "orvex/textmetrics.h"
#include "orvex/valueformat.h"

#include <QSet>
#include <algorithm>
#include <deque>
#include <numeric>

namespace orvex {

namespace {

constexpr double tolerance = 0.01; // pixels: rounding of fractional band heights

struct DeferredText {
    int page = 0;
    int item = 0;
    const ReportObject* memo = nullptr;
    ContextState state;
};

// A data band's rows in print order, with the group keys of every position.
struct SectionRows {
    QVector<int> order;
    QVector<QVector<QVariant>> keys; // [level][position]
};

class LayoutEngine {
public:
    explicit LayoutEngine(const LayoutInput& input)
        : input_(input),
          context_(*input.data, input.parameters, input.report->variables, input.now) {}

    PreparedReport run() {
        out_.report = input_.report;
        for (const Page& page : input_.report->pages)
            runPage(page);
        resolveDeferred();
        return std::move(out_);
    }

private:
    void warn(const QString& text) {
        if (!text.isEmpty() && !warned_.contains(text)) {
            warned_.insert(text);
            out_.warnings << text;
        }
    }

    // ---- texts

    const QVector<TextPiece>& pieces(const ReportObject& memo) {
        auto it = pieces_.find(&memo);
        if (it == pieces_.end())
            it = pieces_.insert(&memo,
                                splitMemoText(memo.text, memo.openDelimiter, memo.closeDelimiter));
        return *it;
    }

    bool usesTotalPages(const ReportObject& memo) {
        if (!memo.allowExpressions)
            return false;
        for (const TextPiece& piece : pieces(memo))
            if (piece.parsed.root && (usesName(*piece.parsed.root, QStringLiteral("TotalPages#")) ||
                                      usesName(*piece.parsed.root, QStringLiteral("TotalPages"))))
                return true;
        return false;
    }

    QString expressionText(const ReportObject& memo, const TextPiece& piece) {
        QString error = piece.parsed.error;
        QVariant value;
        if (piece.parsed.root)
            value = evaluate(*piece.parsed.root, context_, &error);
        if (!error.isEmpty()) {
            warn(QStringLiteral("Výraz „%1“ v objektu „%2“ nelze vyhodnotit: %3.")
                     .arg(piece.text, memo.name, error));
            return {};
        }
        if (memo.hideZeros && isNumber(value) && value.toDouble() == 0)
            return {};
        return formatValue(value, memo.format);
    }

    QString memoText(const ReportObject& memo) {
        if (!memo.allowExpressions)
            return memo.text;
        QString text;
        for (const TextPiece& piece : pieces(memo))
            text += piece.isExpression ? expressionText(memo, piece) : piece.text;
        return text;
    }

    QVector<QString> evaluateTexts(const QVector<ReportObject>& objects) {
        context_.state.page = pageNumber_;
        QVector<QString> texts(objects.size());
        for (int i = 0; i < objects.size(); ++i)
            if (objects[i].kind == ObjectKind::Memo)
                texts[i] = memoText(objects[i]);
        return texts;
    }

    void checkFonts(const QVector<ReportObject>& objects) {
        for (const ReportObject& object : objects) {
            QString note;
            resolveFontFamily(object.font.name, &note);
            warn(note);
        }
    }

    // ---- placing

    double bandHeight(const Band& band, const QVector<QString>& texts) {
        double height = band.height;
        if (!band.stretched)
            return height;
        for (int i = 0; i < band.objects.size(); ++i) {
            const ReportObject& object = band.objects[i];
            if (object.kind == ObjectKind::Memo && object.stretch == StretchMode::ActualHeight)
                height = qMax(height, object.rect.top() + memoTextHeight(object, texts[i]));
        }
        return height;
    }

    void placeObjects(const QVector<ReportObject>& objects, const QVector<QString>& texts, double y,
                      double bandHeight, double clipBottom) {
        const QPointF origin(page_->leftMargin * pixelsPerMm, page_->topMargin * pixelsPerMm + y);
        PreparedPage& page = out_.pages.last();
        for (int i = 0; i < objects.size(); ++i) {
            const ReportObject& object = objects[i];
            QRectF rect = object.rect.translated(origin);
            if (object.stretch == StretchMode::MaxHeight)
                rect.setHeight(qMax(rect.height(), bandHeight - object.rect.top()));
            else if (object.stretch == StretchMode::ActualHeight && object.kind == ObjectKind::Memo)
                rect.setHeight(qMax(rect.height(), memoTextHeight(object, texts[i])));
            if (clipBottom > 0 && rect.top() >= clipBottom)
                continue;
            if (object.kind == ObjectKind::Memo && usesTotalPages(object))
                deferred_ << DeferredText{int(out_.pages.size()) - 1, int(page.items.size()),
                                          &object, context_.state};
            page.items << PreparedItem{&object, rect, texts[i], clipBottom};
        }
    }

    void printBand(int index) {
        if (index < 0 || !page_->bands[index].visible)
            return;
        const Band& band = page_->bands[index];
        QVector<QString> texts = evaluateTexts(band.objects);
        double height = bandHeight(band, texts);
        if (curY_ + height > limit_ + tolerance && !breaking_ && curY_ > bodyTop_ + tolerance) {
            const ContextState mine = context_.state;
            breakPage();
            context_.state = mine;
            texts = evaluateTexts(band.objects);
            height = bandHeight(band, texts);
        }
        double clipBottom = 0;
        if (curY_ + height > limit_ + tolerance) {
            warn(QStringLiteral("Pás „%1“ se nevejde na stránku; byl vytištěn jen zčásti.")
                     .arg(band.name));
            clipBottom = page_->topMargin * pixelsPerMm + limit_;
        }
        placeObjects(band.objects, texts, curY_, height, clipBottom);
        curY_ = qMin(curY_ + height, qMax(limit_, curY_));
    }

    void printWithState(int index, int position, RowSpan scope) {
        context_.state.position = position;
        context_.state.scope = scope;
        printBand(index);
    }

    // ---- pages

    void startPage() {
        out_.pages << PreparedPage{page_->paperWidth, page_->paperHeight, {}};
        ++pageNumber_;
        curY_ = 0;
        bodyTop_ = 0;
        pageFirstPosition_ = lastPrinted_ + 1;
        context_.state.page = pageNumber_;
        placeObjects(page_->pageObjects, evaluateTexts(page_->pageObjects), 0, 0, 0);
    }

    void printPageHeader() {
        if (page_->pageHeader < 0)
            return;
        const ContextState mine = context_.state;
        if (pageNumber_ > firstPageNumber_ || page_->bands[page_->pageHeader].printOnFirstPage)
            printWithState(page_->pageHeader, lastPrinted_, pageSpan());
        context_.state = mine;
    }

    RowSpan pageSpan() const { return RowSpan{pageFirstPosition_, lastPrinted_ + 1}; }

    void finishPage(bool last) {
        if (page_->pageFooter < 0)
            return;
        const Band& footer = page_->bands[page_->pageFooter];
        if ((pageNumber_ == firstPageNumber_ && !footer.printOnFirstPage) ||
            (last && !footer.printOnLastPage) || !footer.visible)
            return;
        const ContextState mine = context_.state;
        context_.state.position = lastPrinted_;
        context_.state.scope = pageSpan();
        placeObjects(footer.objects, evaluateTexts(footer.objects), limit_, footer.height, 0);
        context_.state = mine;
    }

    void breakPage() {
        finishPage(false);
        startPage();
        breaking_ = true;
        printPageHeader();
        if (section_) {
            const ContextState mine = context_.state;
            const Band* header = section_->header >= 0 ? &page_->bands[section_->header] : nullptr;
            if (header && header->reprintOnNewPage)
                printWithState(section_->header, mine.position, wholeSection());
            for (int level = 0; level < openGroups_; ++level) {
                const int groupHeader = section_->groups[level].header;
                if (page_->bands[groupHeader].reprintOnNewPage)
                    printWithState(groupHeader, groupStart_[level], groupSpan(level));
            }
            context_.state = mine;
        }
        breaking_ = false;
        bodyTop_ = curY_;
    }

    // ---- data

    RowSpan wholeSection() const {
        return RowSpan{0, context_.state.order ? int(context_.state.order->size()) : 0};
    }

    RowSpan groupSpan(int level) const { return RowSpan{groupStart_[level], groupEnd_[level]}; }

    // Fills the rows of a section; kept for the whole run, deferred texts point at them.
    const SectionRows& sectionRows(const DataSection& section) {
        rows_.emplace_back();
        SectionRows& rows = rows_.back();
        const Band& master = page_->bands[section.master];
        if (master.dataSetName.isEmpty())
            return rows;
        const int count = input_.data->rows.size();
        rows.order.resize(count);
        std::iota(rows.order.begin(), rows.order.end(), 0);
        context_.state.order = &rows.order;
        for (const GroupLevel& level : section.groups) {
            const ReportObject condition = conditionMemo(page_->bands[level.header]);
            const ParsedExpression parsed = parseExpression(condition.text);
            QVector<QVariant> keys(count);
            for (int row = 0; row < count && parsed.root; ++row) {
                context_.state.position = row;
                QString error;
                keys[row] = evaluate(*parsed.root, context_, &error);
                if (!error.isEmpty())
                    warn(QStringLiteral("Podmínka skupiny „%1“ nelze vyhodnotit: %2.")
                             .arg(condition.name, error));
            }
            if (!parsed.root)
                warn(QStringLiteral("Podmínka skupiny „%1“ nelze vyhodnotit: %2.")
                         .arg(condition.name, parsed.error));
            rows.keys << keys;
        }
        // Groups gather all rows of one value, whatever order the SQL text gave them.
        std::stable_sort(rows.order.begin(), rows.order.end(), [&](int a, int b) {
            for (const QVector<QVariant>& keys : rows.keys) {
                const int c = compareValues(keys[a], keys[b]);
                if (c != 0)
                    return c < 0;
            }
            return false;
        });
        for (QVector<QVariant>& keys : rows.keys) {
            QVector<QVariant> sorted(count);
            for (int position = 0; position < count; ++position)
                sorted[position] = keys[rows.order[position]];
            keys = sorted;
        }
        return rows;
    }

    static ReportObject conditionMemo(const Band& groupHeader) {
        ReportObject memo;
        memo.name = groupHeader.name;
        memo.text = groupHeader.condition;
        return memo;
    }

    // The outermost group level whose key changes at the position (levels count: none).
    static int changedLevel(const SectionRows& rows, int position) {
        for (int level = 0; level < rows.keys.size(); ++level)
            if (position == 0 ||
                compareValues(rows.keys[level][position], rows.keys[level][position - 1]) != 0)
                return level;
        return rows.keys.size();
    }

    int groupEnd(const SectionRows& rows, int level, int start, int count) const {
        int end = start + 1;
        while (end < count && changedLevel(rows, end) > level)
            ++end;
        return rows.keys.isEmpty() ? count : end;
    }

    void closeGroups(const DataSection& section, int downToLevel, int lastPosition) {
        for (int level = openGroups_ - 1; level >= downToLevel; --level) {
            context_.state.line = lastPosition - groupStart_[level] + 1;
            printWithState(section.groups[level].footer, lastPosition, groupSpan(level));
        }
        openGroups_ = downToLevel;
    }

    void runSection(const DataSection& section, const SectionRows& rows) {
        const Band& master = page_->bands[section.master];
        const bool bound = !master.dataSetName.isEmpty();
        const int count = bound ? rows.order.size() : master.rowCount;
        if (count == 0)
            return;
        context_.state.order = &rows.order;
        section_ = &section;
        pageFirstPosition_ = 0;
        lastPrinted_ = -1;
        const int levels = section.groups.size();
        groupStart_.fill(0, levels);
        groupEnd_.fill(count, levels);
        openGroups_ = 0;
        printWithState(section.header, bound ? 0 : -1, wholeSection());
        for (int position = 0; position < count; ++position) {
            const int changed = bound ? changedLevel(rows, position) : (position == 0 ? 0 : levels);
            if (position > 0)
                closeGroups(section, changed, bound ? position - 1 : -1);
            for (int level = changed; level < levels; ++level) {
                groupStart_[level] = position;
                groupEnd_[level] = bound ? groupEnd(rows, level, position, count) : count;
                openGroups_ = level + 1;
                const Band& header = page_->bands[section.groups[level].header];
                if (header.startNewPage && position > 0 && curY_ > bodyTop_ + tolerance)
                    breakPage();
                context_.state.line = 1;
                printWithState(section.groups[level].header, bound ? position : -1,
                               groupSpan(level));
            }
            const int groupFirst = levels > 0 ? groupStart_[levels - 1] : 0;
            context_.state.line = position - groupFirst + 1;
            printWithState(section.master, bound ? position : -1,
                           RowSpan{groupFirst, bound ? position + 1 : 0});
            lastPrinted_ = bound ? position : -1;
        }
        closeGroups(section, 0, bound ? count - 1 : -1);
        section_ = nullptr;
        printWithState(section.footer, bound ? count - 1 : -1, wholeSection());
    }

    void runPage(const Page& page) {
        page_ = &page;
        limit_ = page.printableHeight() -
                 (page.pageFooter >= 0 ? page.bands[page.pageFooter].height : 0);
        for (const Band& band : page.bands)
            checkFonts(band.objects);
        checkFonts(page.pageObjects);
        QVector<const SectionRows*> sections;
        for (const DataSection& section : page.sections)
            sections << &sectionRows(section);
        for (int i = 0; i < page.sections.size(); ++i)
            context_.registerDataBand(page.bands[page.sections[i].master].name,
                                      &sections[i]->order);
        context_.state = ContextState();
        context_.state.order = sections.isEmpty() ? nullptr : &sections.first()->order;
        lastPrinted_ = -1;
        firstPageNumber_ = pageNumber_ + 1;
        startPage();
        printWithState(page.title, sections.isEmpty() || sections[0]->order.isEmpty() ? -1 : 0,
                       wholeSection());
        printPageHeader();
        bodyTop_ = curY_;
        for (int i = 0; i < page.sections.size(); ++i)
            runSection(page.sections[i], *sections[i]);
        if (!sections.isEmpty())
            context_.state.order = &sections.last()->order;
        printWithState(page.summary, int(wholeSection().to) - 1, wholeSection());
        finishPage(true);
        context_.state = ContextState();
    }

    void resolveDeferred() {
        context_.totalPages = out_.pages.size();
        for (const DeferredText& d : deferred_) {
            context_.state = d.state;
            out_.pages[d.page].items[d.item].text = memoText(*d.memo);
        }
    }

    const LayoutInput& input_;
    ReportContext context_;
    PreparedReport out_;
    QSet<QString> warned_;
    QHash<const ReportObject*, QVector<TextPiece>> pieces_;
    QVector<DeferredText> deferred_;
    std::deque<SectionRows> rows_;
    const Page* page_ = nullptr;
    const DataSection* section_ = nullptr;
    double curY_ = 0;
    double limit_ = 0;
    double bodyTop_ = 0;
    bool breaking_ = false;
    int pageNumber_ = 0;
    int firstPageNumber_ = 1;
    int pageFirstPosition_ = 0;
    int lastPrinted_ = -1;
    int openGroups_ = 0;
    QVector<int> groupStart_;
    QVector<int> groupEnd_;
};

} // namespace

PreparedReport layoutReport(const LayoutInput& input) {
    return LayoutEngine(input).run();
}

} // namespace orvex
