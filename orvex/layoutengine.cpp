#include "orvex/layoutengine.h"

#include "orvex/barcode.h"
#include "orvex/memotext.h"
#include "orvex/reportcontext.h"
#include "orvex/sectionrows.h"
#include "orvex/textmetrics.h"
#include "orvex/valueformat.h"

#include <QSet>
#include <algorithm>
#include <cmath>
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

// What a template object shows on one occasion.
struct Evaluated {
    QString text;
    int highlight = -1;
};

class LayoutEngine {
public:
    explicit LayoutEngine(const LayoutInput& input)
        : input_(input),
          context_(*input.data, input.parameters, input.report->variables, input.now),
          allRows_(input.data->rows.size()) {
        std::iota(allRows_.begin(), allRows_.end(), 0);
    }

    PreparedReport run() {
        out_.report = input_.report;
        for (const Page& page : input_.report->pages) {
            if (stopped_)
                break;
            runPage(page);
        }
        resolveDeferred();
        releasePages(out_.pages.size());
        return std::move(out_);
    }

private:
    // Hands the pages before `end` to the caller's hook.
    void releasePages(int end) {
        if (!input_.pageDone)
            return;
        for (; released_ < end && !stopped_; ++released_)
            stopped_ = !input_.pageDone(out_.pages[released_], released_);
    }

    void warn(const QString& text) {
        if (!text.isEmpty() && !warned_.contains(text)) {
            warned_.insert(text);
            out_.warnings << text;
        }
    }

    // ---- texts

    // A memo's text in pieces; a code's expression is one piece of its own.
    const QVector<TextPiece>& pieces(const ReportObject& object) {
        auto it = pieces_.find(&object);
        if (it != pieces_.end())
            return *it;
        if (object.kind == ObjectKind::Barcode && !object.expression.isEmpty())
            return *pieces_.insert(
                &object, {TextPiece{object.expression, true, parseExpression(object.expression)}});
        return *pieces_.insert(
            &object, splitMemoText(object.text, object.openDelimiter, object.closeDelimiter));
    }

    // Also through a report variable whose expression uses it.
    bool usesTotalPages(const TextPiece& piece) const {
        return piece.parsed.root &&
               (context_.dependsOn(*piece.parsed.root, QStringLiteral("TotalPages#")) ||
                context_.dependsOn(*piece.parsed.root, QStringLiteral("TotalPages")));
    }

    bool usesTotalPages(const ReportObject& memo) {
        if (!memo.allowExpressions)
            return false;
        const QVector<TextPiece>& all = pieces(memo);
        return std::any_of(all.begin(), all.end(),
                           [this](const TextPiece& piece) { return usesTotalPages(piece); });
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

    // countUnknown: what uses the count of all pages shows "…", as no number would be true yet.
    QString memoText(const ReportObject& memo, bool countUnknown = false) {
        if (!memo.allowExpressions)
            return memo.text;
        QString text;
        for (const TextPiece& piece : pieces(memo))
            text += !piece.isExpression                     ? piece.text
                    : countUnknown && usesTotalPages(piece) ? QStringLiteral("…")
                                                            : expressionText(memo, piece);
        return text;
    }

    // A condition's value for the current row; its text is parsed once.
    QVariant evaluateCondition(const QString& condition, QString* error) {
        auto parsed = conditions_.find(condition);
        if (parsed == conditions_.end())
            parsed = conditions_.insert(condition, parseExpression(condition));
        *error = parsed->error;
        return parsed->root ? evaluate(*parsed->root, context_, error) : QVariant();
    }

    // Whether the band prints the current row; a filter that cannot be evaluated lets the
    // row through.
    bool passesFilter(const Band& band) {
        if (band.filter.isEmpty())
            return true;
        QString error;
        const QVariant value = evaluateCondition(band.filter, &error);
        if (error.isEmpty())
            return toBool(value);
        warn(QStringLiteral("Filtr „%1“ pásu „%2“ nelze vyhodnotit: %3; pás tiskne všechny "
                            "řádky.")
                 .arg(band.filter, band.name, error));
        return true;
    }

    // The first highlight whose condition holds for the current row, -1 for none.
    int highlightInForce(const ReportObject& memo) {
        for (int i = 0; i < memo.highlights.size(); ++i) {
            QString error;
            const QVariant value = evaluateCondition(memo.highlights[i].condition, &error);
            if (!error.isEmpty())
                warn(QStringLiteral("Podmínku zvýraznění objektu „%1“ nelze vyhodnotit: %2.")
                         .arg(memo.name, error));
            else if (toBool(value))
                return i;
        }
        return -1;
    }

    QString codeText(const ReportObject& code) {
        const QString text = memoText(code);
        const QString error = encodeBarcode(code, text).error;
        if (!error.isEmpty())
            warn(QStringLiteral("Kód objektu „%1“ nelze vytisknout: %2.").arg(code.name, error));
        return text;
    }

    QVector<Evaluated> evaluateTexts(const QVector<ReportObject>& objects) {
        context_.state.page = pageNumber_;
        QVector<Evaluated> values(objects.size());
        for (int i = 0; i < objects.size(); ++i) {
            const ReportObject& object = objects[i];
            if (object.kind == ObjectKind::Memo) {
                values[i].text = memoText(object);
                values[i].highlight = highlightInForce(object);
            } else if (object.kind == ObjectKind::Barcode) {
                values[i].text = codeText(object);
            }
        }
        return values;
    }

    void checkFonts(const QVector<ReportObject>& objects) {
        for (const ReportObject& object : objects) {
            QString note;
            resolveFontFamily(object.font.name, &note);
            warn(note);
        }
    }

    // ---- placing

    double bandHeight(const Band& band, const QVector<Evaluated>& texts) {
        double height = band.height;
        if (!band.stretched)
            return height;
        for (int i = 0; i < band.objects.size(); ++i) {
            const ReportObject& object = band.objects[i];
            if (object.kind == ObjectKind::Memo && object.stretch == StretchMode::ActualHeight)
                height = qMax(height, object.rect.top() + memoTextHeight(object, texts[i].text));
        }
        return height;
    }

    // Where a band's objects go: its top, the column's left offset and the lines outside of
    // which nothing of it is drawn, all in pixels of the printable area.
    struct Placement {
        double x = 0;
        double y = 0;
        double bandHeight = 0;
        double clipTop = -noClip;
        double clipBottom = noClip;
    };
    static constexpr double noClip = 1e9;

    // An object's rectangle in its band once the band is `bandHeight` high.
    static QRectF stretchedRect(const ReportObject& object, const QString& text,
                                double bandHeight) {
        QRectF rect = object.rect;
        if (object.stretch == StretchMode::MaxHeight)
            rect.setHeight(qMax(rect.height(), bandHeight - object.rect.top()));
        else if (object.stretch == StretchMode::ActualHeight && object.kind == ObjectKind::Memo)
            rect.setHeight(qMax(rect.height(), memoTextHeight(object, text)));
        return rect;
    }

    void placeObjects(const QVector<ReportObject>& objects, const QVector<Evaluated>& texts,
                      const Placement& at) {
        const QPointF origin(page_->leftMargin * pixelsPerMm + at.x,
                             page_->topMargin * pixelsPerMm + at.y);
        const double margin = page_->topMargin * pixelsPerMm;
        const double top = at.clipTop > -noClip ? margin + at.clipTop : 0;
        const double bottom = at.clipBottom < noClip ? margin + at.clipBottom : 0;
        PreparedPage& page = out_.pages.last();
        for (int i = 0; i < objects.size(); ++i) {
            const ReportObject& object = objects[i];
            const QRectF rect =
                stretchedRect(object, texts[i].text, at.bandHeight).translated(origin);
            if (rect.top() >= margin + at.clipBottom || rect.bottom() <= margin + at.clipTop)
                continue;
            QString text = texts[i].text;
            // The page may be handed on before the count is known; the text is set again then.
            if (object.kind == ObjectKind::Memo && usesTotalPages(object)) {
                deferred_ << DeferredText{int(out_.pages.size()) - 1, int(page.items.size()),
                                          &object, context_.state};
                text = memoText(object, true);
            }
            page.items << PreparedItem{&object, rect, text, bottom, texts[i].highlight, top};
        }
    }

    bool fits(double height) const { return curY_ + height <= limit_ + tolerance; }

    // Data bands go on in the next column while there is one, else on a new page.
    void advance() {
        if (inColumns_ && column_ + 1 < page_->columns) {
            columnBottom_ = qMax(columnBottom_, curY_);
            ++column_;
            curY_ = columnTop_;
            return;
        }
        breakPage();
    }

    double columnX() const { return inColumns_ ? column_ * page_->columnStep() : 0; }

    // The lowest line at or above `at` (from the band's top) that cuts no text line of the
    // band's memos in half: at the top of the line `at` would cut.
    double lineSafeCut(const Band& band, const QVector<Evaluated>& texts, double bandHeight,
                       double at) {
        double cut = at;
        for (int i = 0; i < band.objects.size(); ++i) {
            const ReportObject& memo = band.objects[i];
            if (memo.kind != ObjectKind::Memo || memo.allowHtml || memo.rotation != 0)
                continue;
            const QRectF rect = stretchedRect(memo, texts[i].text, bandHeight);
            const MemoLines lines = memoLineGrid(memo, texts[i].text);
            const double block = lines.count * lines.step - memo.lineSpacing;
            double first = rect.top() + memo.gapY;
            if (memo.vAlign == VAlign::Bottom)
                first = rect.bottom() - memo.gapY - block;
            else if (memo.vAlign == VAlign::Center)
                first = rect.top() + (rect.height() - block) / 2;
            const int line = int(std::floor((cut - first) / lines.step));
            const double lineTop = first + line * lines.step;
            if (line >= 0 && line < lines.count && cut > lineTop + tolerance &&
                cut < lineTop + lines.height - tolerance) {
                cut = lineTop;
                i = -1; // the new line may cut another memo's text: look at all again
            }
        }
        return cut;
    }

    // A band taller than the room left: on this page as far as it goes without cutting a text
    // line, the rest on the next.
    void printSplit(const Band& band, const QVector<Evaluated>& texts, double height) {
        double consumed = 0;
        while (true) {
            const double room = limit_ - curY_;
            if (height - consumed <= room + tolerance) {
                placeObjects(band.objects, texts,
                             {columnX(), curY_ - consumed, height, curY_, limit_});
                curY_ += height - consumed;
                return;
            }
            double cut = lineSafeCut(band, texts, height, consumed + room);
            // Not even one line fits: on a page of its own it is cut, else it waits for one.
            if (cut <= consumed + tolerance)
                cut = curY_ > bodyTop_ + tolerance ? consumed : consumed + room;
            if (cut > consumed)
                placeObjects(band.objects, texts,
                             {columnX(), curY_ - consumed, height, curY_, curY_ + cut - consumed});
            consumed = cut;
            const ContextState mine = context_.state;
            advance();
            context_.state = mine;
            if (limit_ - curY_ <= tolerance) { // nothing but headers fit on a page
                warn(cutWarning(band));
                curY_ = limit_;
                return;
            }
        }
    }

    static QString cutWarning(const Band& band) {
        return QStringLiteral("Pás „%1“ se nevejde na stránku; byl vytištěn jen zčásti.")
            .arg(band.name);
    }

    void printBand(int index, int depth = 0) {
        if (index < 0 || !page_->bands[index].visible)
            return;
        const Band& band = page_->bands[index];
        QVector<Evaluated> texts = evaluateTexts(band.objects);
        double height = bandHeight(band, texts);
        // A band that may split starts where it stands; others move to a new page whole.
        if (!fits(height) && !breaking_ && curY_ > bodyTop_ + tolerance && !band.allowSplit) {
            const ContextState mine = context_.state;
            advance();
            context_.state = mine;
            texts = evaluateTexts(band.objects);
            height = bandHeight(band, texts);
        }
        if (!fits(height) && band.allowSplit && !breaking_) {
            printSplit(band, texts, height);
        } else {
            double clipBottom = noClip;
            if (!fits(height)) {
                warn(cutWarning(band));
                clipBottom = limit_;
            }
            placeObjects(band.objects, texts, {columnX(), curY_, height, -noClip, clipBottom});
            curY_ = qMin(curY_ + height, qMax(limit_, curY_));
        }
        if (depth < page_->bands.size()) // a child naming its own parent ends here
            printBand(band.child, depth + 1);
    }

    // A band with its children at their designed heights.
    double designedHeight(int index) const {
        double height = 0;
        for (int depth = 0; index >= 0 && depth <= page_->bands.size(); ++depth) {
            height += page_->bands[index].visible ? page_->bands[index].height : 0;
            index = page_->bands[index].child;
        }
        return height;
    }

    // Starts a new column or page first when what must stay together fits there but not here.
    void keepTogether(double height, int position) {
        if (fits(height) || curY_ <= bodyTop_ + tolerance || height > limit_ - bodyTop_)
            return;
        context_.state.position = position;
        advance();
    }

    void printWithState(int index, int position, RowSpan scope) {
        context_.state.position = position;
        context_.state.scope = scope;
        printBand(index);
    }

    // ---- pages

    void startPage() {
        releasePages(out_.pages.size()); // the pages before this one are done
        out_.pages << PreparedPage{page_->paperWidth, page_->paperHeight, {}};
        ++pageNumber_;
        curY_ = 0;
        bodyTop_ = 0;
        limit_ = footerTop_ - columnFooterHeight();
        columnFooterPrinted_ = false;
        pageFirstPosition_ = lastPrinted_ + 1;
        context_.state.page = pageNumber_;
        placeObjects(page_->pageObjects, evaluateTexts(page_->pageObjects), {});
    }

    // The page header and the column header below it. position: the row the page starts with,
    // which the headers' data fields show.
    void printPageHeader(int position) {
        const ContextState mine = context_.state;
        if (page_->pageHeader >= 0 &&
            (pageNumber_ > firstPageNumber_ || page_->bands[page_->pageHeader].printOnFirstPage))
            printWithState(page_->pageHeader, position, pageSpan());
        printWithState(page_->columnHeader, position, pageSpan());
        context_.state = mine;
    }

    RowSpan pageSpan() const { return RowSpan{pageFirstPosition_, lastPrinted_ + 1}; }

    // A band at a fixed place of the page, showing the page's last row.
    void placeAt(const Band& band, double y) {
        const ContextState mine = context_.state;
        context_.state.position = lastPrinted_;
        context_.state.scope = pageSpan();
        placeObjects(band.objects, evaluateTexts(band.objects), {0, y, band.height});
        context_.state = mine;
    }

    double columnFooterHeight() const {
        const int index = page_->columnFooter;
        return index >= 0 && page_->bands[index].visible ? page_->bands[index].height : 0;
    }

    // The column footer follows the last data of the page, once a page; its room is kept free
    // below limit_ until then.
    void printColumnFooter() {
        if (columnFooterPrinted_ || columnFooterHeight() == 0)
            return;
        curY_ = qMax(curY_, columnBottom_);
        placeAt(page_->bands[page_->columnFooter], curY_);
        curY_ += columnFooterHeight();
        limit_ += columnFooterHeight();
        columnFooterPrinted_ = true;
    }

    void finishPage(bool last) {
        printColumnFooter();
        column_ = 0;
        columnBottom_ = 0;
        if (page_->pageFooter < 0)
            return;
        const Band& footer = page_->bands[page_->pageFooter];
        if ((pageNumber_ == firstPageNumber_ && !footer.printOnFirstPage) ||
            (last && !footer.printOnLastPage) || !footer.visible)
            return;
        placeAt(footer, footerTop_);
    }

    void breakPage() {
        finishPage(false);
        startPage();
        breaking_ = true;
        printPageHeader(context_.state.position);
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
        columnTop_ = curY_;
    }

    // ---- data

    RowSpan wholeSection() const {
        return RowSpan{0, context_.state.order ? int(context_.state.order->size()) : 0};
    }

    RowSpan groupSpan(int level) const { return RowSpan{groupStart_[level], groupEnd_[level]}; }

    // The rows of the data that the band's filter lets through, in their order.
    QVector<int> rowsPassing(const Band& band) {
        if (band.filter.isEmpty())
            return allRows_;
        QVector<int> passed;
        context_.state.order = &allRows_;
        for (int row = 0; row < allRows_.size(); ++row) {
            context_.state.position = row;
            if (passesFilter(band))
                passed << row;
        }
        return passed;
    }

    // Fills the rows of a section; kept for the whole run, deferred texts point at them.
    const SectionRows& sectionRows(const DataSection& section) {
        rows_.emplace_back();
        SectionRows& rows = rows_.back();
        if (page_->bands[section.master].dataSetName.isEmpty())
            return rows;
        QVector<const Band*> headers;
        for (const GroupLevel& level : section.groups)
            headers << &page_->bands[level.header];
        QStringList notes;
        groupRows(rows, rowsPassing(page_->bands[section.master]), headers, context_, notes);
        for (const QString& note : notes)
            warn(note);
        return rows;
    }

    void closeGroups(const DataSection& section, int downToLevel, int lastPosition) {
        for (int level = openGroups_ - 1; level >= downToLevel; --level) {
            context_.state.line = lastPosition - groupStart_[level] + 1;
            printWithState(section.groups[level].footer, lastPosition, groupSpan(level));
        }
        openGroups_ = downToLevel;
    }

    double rowHeight(const DataSection& section) const {
        double height = designedHeight(section.master);
        for (int detail : section.details)
            height += designedHeight(detail);
        return height;
    }

    // The designed height of a group from its header to its footer (inner groups once).
    double groupHeight(const DataSection& section, int level) const {
        double height = (groupEnd_[level] - groupStart_[level]) * rowHeight(section);
        for (int inner = level; inner < section.groups.size(); ++inner)
            height += designedHeight(section.groups[inner].header) +
                      designedHeight(section.groups[inner].footer);
        return height;
    }

    void openGroup(const DataSection& section, const SectionRows& rows, int level, int position,
                   int count) {
        const bool bound = !page_->bands[section.master].dataSetName.isEmpty();
        const int row = bound ? position : -1;
        groupStart_[level] = position;
        groupEnd_[level] = bound ? groupEnd(rows, level, position, count) : count;
        openGroups_ = level + 1;
        const Band& header = page_->bands[section.groups[level].header];
        if (header.startNewPage && position > 0 && curY_ > bodyTop_ + tolerance) {
            context_.state.position = row;
            breakPage();
        } else if (header.keepTogether) {
            keepTogether(groupHeight(section, level), row);
        }
        context_.state.line = 1;
        printWithState(section.groups[level].header, row, groupSpan(level));
    }

    // One row: the data band, its children and detail bands.
    void printRow(const DataSection& section, int position, int groupFirst) {
        const Band& master = page_->bands[section.master];
        const bool bound = !master.dataSetName.isEmpty();
        const int row = bound ? position : -1;
        if (master.startNewPage && position > 0 && curY_ > bodyTop_ + tolerance) {
            context_.state.position = row;
            breakPage();
        } else if (master.keepTogether) {
            keepTogether(rowHeight(section), row);
        }
        context_.state.line = position - groupFirst + 1;
        printWithState(section.master, row, RowSpan{groupFirst, bound ? position + 1 : 0});
        for (int detail : section.details) {
            context_.state.position = row;
            if (passesFilter(page_->bands[detail]))
                printWithState(detail, row, RowSpan{position, bound ? position + 1 : 0});
        }
        lastPrinted_ = row;
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
        inColumns_ = page_->columns > 1;
        columnTop_ = columnBottom_ = curY_;
        printWithState(section.header, bound ? 0 : -1, wholeSection());
        for (int position = 0; position < count && !stopped_; ++position) {
            const int changed = bound ? changedLevel(rows, position) : (position == 0 ? 0 : levels);
            if (position > 0)
                closeGroups(section, changed, bound ? position - 1 : -1);
            for (int level = changed; level < levels; ++level)
                openGroup(section, rows, level, position, count);
            printRow(section, position, levels > 0 ? groupStart_[levels - 1] : 0);
        }
        closeGroups(section, 0, bound ? count - 1 : -1);
        section_ = nullptr;
        printWithState(section.footer, bound ? count - 1 : -1, wholeSection());
        // What follows the columns starts below the longest of them.
        curY_ = qMax(curY_, columnBottom_);
        inColumns_ = false;
        column_ = 0;
    }

    void runPage(const Page& page) {
        page_ = &page;
        footerTop_ = page.printableHeight() -
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
        // Bands outside a data band show the first row, as the open data set stands there.
        const bool bound = !sections.isEmpty() && !sections.first()->order.isEmpty();
        context_.state.order = bound ? &sections.first()->order : &allRows_;
        lastPrinted_ = -1;
        firstPageNumber_ = pageNumber_ + 1;
        startPage();
        const int firstRow = context_.state.order->isEmpty() ? -1 : 0;
        printWithState(page.title, firstRow, wholeSection());
        printPageHeader(firstRow);
        bodyTop_ = curY_;
        for (int i = 0; i < page.sections.size(); ++i)
            runSection(page.sections[i], *sections[i]);
        printColumnFooter();
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
        int updated = -1;
        for (const DeferredText& d : deferred_)
            if (input_.pageUpdated && !stopped_ && d.page < released_ && d.page != updated) {
                updated = d.page;
                input_.pageUpdated(out_.pages[d.page], d.page);
            }
        deferred_.clear();
    }

    const LayoutInput& input_;
    ReportContext context_;
    PreparedReport out_;
    QSet<QString> warned_;
    QHash<const ReportObject*, QVector<TextPiece>> pieces_;
    QHash<QString, ParsedExpression> conditions_;
    QVector<DeferredText> deferred_;
    std::deque<SectionRows> rows_;
    QVector<int> allRows_; // every row in the SQL text's order
    const Page* page_ = nullptr;
    const DataSection* section_ = nullptr;
    double curY_ = 0;
    double limit_ = 0;     // where the body of a page ends
    double footerTop_ = 0; // where the page footer begins
    bool columnFooterPrinted_ = false;
    double bodyTop_ = 0;
    bool breaking_ = false;
    bool inColumns_ = false;
    int column_ = 0;
    double columnTop_ = 0;    // where the columns of this page begin
    double columnBottom_ = 0; // the lowest end of a full column
    int pageNumber_ = 0;
    int released_ = 0; // pages handed to the hook
    bool stopped_ = false;
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
