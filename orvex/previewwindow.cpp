#include "orvex/previewwindow.h"

#include "orvex/backgroundlayout.h"
#include "orvex/reportoutput.h"

#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QSpinBox>
#include <QToolBar>
#include <QVBoxLayout>

namespace orvex {

namespace {

const double zoomSteps[] = {0.5, 0.75, 1.0, 1.25, 1.5, 2.0, 3.0};

// Room kept free between the page and the scroll area's edges, in pixels.
constexpr int pageMargin = 24;
constexpr int fixedZoomsStart = 2; // zoom box entries before the fixed zooms

} // namespace

PreviewWindow::PreviewWindow(PreparedReport report, const QString& title, QWidget* parent)
    : QDialog(parent), report_(std::move(report)), title_(title) {
    setUp();
}

PreviewWindow::PreviewWindow(LayoutInput input, const QStringList& warnings, const QString& title,
                             QWidget* parent)
    : QDialog(parent), title_(title), finished_(false) {
    report_.report = input.report;
    report_.warnings = warnings;
    setUp();
    layout_ = std::make_unique<BackgroundLayout>(std::move(input));
    connect(layout_.get(), &BackgroundLayout::pagesReady, this, &PreviewWindow::addPages);
    connect(layout_.get(), &BackgroundLayout::pagesUpdated, this, &PreviewWindow::updatePages);
    connect(layout_.get(), &BackgroundLayout::finished, this, &PreviewWindow::finishLayout);
}

// Closing before the last page stops the layout first: its pages come to this window.
PreviewWindow::~PreviewWindow() {
    layout_.reset();
}

void PreviewWindow::setUp() {
    setWindowTitle(QStringLiteral("Náhled sestavy – %1").arg(title_));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    buildToolBar(layout);
    scroll_ = new QScrollArea(this);
    scroll_->setAlignment(Qt::AlignHCenter);
    scroll_->setBackgroundRole(QPalette::Dark);
    pageImage_ = new QLabel;
    scroll_->setWidget(pageImage_);
    layout->addWidget(scroll_, 1);
    buildWarnings(layout);
    new QShortcut(QKeySequence::MoveToNextPage, this, [this] { showPage(page_ + 1); });
    new QShortcut(QKeySequence::MoveToPreviousPage, this, [this] { showPage(page_ - 1); });
    fitToScreen();
    render();
}

// The window takes most of the screen's free height (a laptop's 1366x768 included) and a
// width that shows an upright page at a readable size.
void PreviewWindow::fitToScreen() {
    const QRect free = screen()->availableGeometry();
    const QSize size(qMin(1000, free.width() * 9 / 10), free.height() * 9 / 10);
    resize(size);
    move(free.center() - QPoint(size.width() / 2, size.height() / 2));
}

void PreviewWindow::offerTemplateEditing() {
    auto* bar = findChild<QToolBar*>();
    QAction* edit = new QAction(QStringLiteral("Upravit předlohu"), bar);
    edit->setToolTip(QStringLiteral("Otevře předlohu sestavy v návrháři"));
    connect(edit, &QAction::triggered, this, [this] {
        editRequested_ = true;
        accept();
    });
    bar->insertAction(bar->actions().value(0), edit);
    bar->insertSeparator(bar->actions().value(1));
}

void PreviewWindow::buildToolBar(QLayout* layout) {
    auto* bar = new QToolBar(this);
    needAllPages_ << bar->addAction(QStringLiteral("Tisk..."), this, &PreviewWindow::print);
    needAllPages_.last()->setShortcut(QKeySequence::Print);
    needAllPages_ << bar->addAction(QStringLiteral("Uložit jako PDF..."), this,
                                    &PreviewWindow::savePdf);
    needAllPages_.last()->setShortcut(QKeySequence::Save);
    for (QAction* action : std::as_const(needAllPages_))
        action->setEnabled(finished_);
    bar->addSeparator();
    bar->addAction(QStringLiteral("|<"), this, [this] { showPage(1); })
        ->setToolTip(QStringLiteral("První strana"));
    bar->addAction(QStringLiteral("<"), this, [this] { showPage(page_ - 1); })
        ->setToolTip(QStringLiteral("Předchozí strana"));
    pageBox_ = new QSpinBox(bar);
    pageBox_->setToolTip(QStringLiteral("Strana"));
    connect(pageBox_, &QSpinBox::valueChanged, this, &PreviewWindow::showPage);
    bar->addWidget(pageBox_);
    pageCount_ = new QLabel(bar);
    bar->addWidget(pageCount_);
    showPageCount();
    bar->addAction(QStringLiteral(">"), this, [this] { showPage(page_ + 1); })
        ->setToolTip(QStringLiteral("Další strana"));
    bar->addAction(QStringLiteral(">|"), this, [this] { showPage(report_.pages.size()); })
        ->setToolTip(QStringLiteral("Poslední strana"));
    bar->addSeparator();
    buildZoomBox(bar);
    bar->addSeparator();
    bar->addAction(QStringLiteral("Zavřít"), this, &QDialog::accept);
    layout->addWidget(bar);
}

void PreviewWindow::buildZoomBox(QToolBar* bar) {
    zoomBox_ = new QComboBox(bar);
    zoomBox_->setToolTip(QStringLiteral("Lupa"));
    // The two fits first, then the fixed zooms.
    zoomBox_->addItem(QStringLiteral("Podle šířky"));
    zoomBox_->addItem(QStringLiteral("Celá strana"));
    for (double step : zoomSteps)
        zoomBox_->addItem(QStringLiteral("%1 %").arg(qRound(step * 100)), step);
    connect(zoomBox_, &QComboBox::activated, this, [this](int index) {
        if (index < fixedZoomsStart)
            setFit(index == 0 ? Fit::Width : Fit::Page);
        else
            setZoom(zoomSteps[index - fixedZoomsStart]);
    });
    bar->addWidget(zoomBox_);
}

void PreviewWindow::buildWarnings(QLayout* layout) {
    warningsCaption_ = new QLabel(QStringLiteral("  Upozornění k předloze:"), this);
    layout->addWidget(warningsCaption_);
    warningsList_ = new QListWidget(this);
    layout->addWidget(warningsList_);
    showWarnings();
}

void PreviewWindow::showWarnings() {
    warningsCaption_->setVisible(!report_.warnings.isEmpty());
    warningsList_->setVisible(!report_.warnings.isEmpty());
    if (report_.warnings.isEmpty())
        return;
    warningsList_->clear();
    warningsList_->addItems(report_.warnings);
    // As tall as its lines, up to four: the page keeps the room on a small screen.
    const int rows = qMin(4, int(report_.warnings.size()));
    warningsList_->setFixedHeight(rows * warningsList_->sizeHintForRow(0) +
                                  2 * warningsList_->frameWidth() + 2);
}

// While the layout runs the count has an ellipsis: more pages may come.
void PreviewWindow::showPageCount() {
    const int count = report_.pages.size();
    const QSignalBlocker blocker(pageBox_);
    pageBox_->setRange(1, qMax(1, count));
    pageCount_->setText(
        QStringLiteral(" z %1%2 ").arg(count).arg(finished_ ? QString() : QStringLiteral("…")));
}

void PreviewWindow::addPages(const QVector<PreparedPage>& pages) {
    const bool first = report_.pages.isEmpty();
    report_.pages += pages;
    showPageCount();
    if (first)
        render();
}

void PreviewWindow::updatePages(const QMap<int, PreparedPage>& pages) {
    for (auto it = pages.begin(); it != pages.end(); ++it)
        report_.pages[it.key()] = it.value();
    if (pages.contains(page_ - 1))
        render();
}

void PreviewWindow::finishLayout(const QStringList& warnings) {
    finished_ = true;
    report_.warnings += warnings;
    showWarnings();
    showPageCount();
    for (QAction* action : std::as_const(needAllPages_))
        action->setEnabled(true);
    if (report_.pages.isEmpty())
        render();
}

void PreviewWindow::showPage(int page) {
    const int clamped = qBound(1, page, qMax(1, int(report_.pages.size())));
    if (clamped == page_ && pageImage_->pixmap().isNull() == false)
        return;
    page_ = clamped;
    render();
}

void PreviewWindow::setZoom(double zoom) {
    fit_ = Fit::Fixed;
    zoom_ = qBound(0.25, zoom, 4.0);
    const QSignalBlocker blocker(zoomBox_);
    zoomBox_->setCurrentIndex(zoomBox_->findData(zoom_));
    render();
}

void PreviewWindow::setFit(Fit fit) {
    fit_ = fit;
    const QSignalBlocker blocker(zoomBox_);
    zoomBox_->setCurrentIndex(fit == Fit::Page ? 1 : 0);
    render();
}

void PreviewWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (fit_ != Fit::Fixed)
        render();
}

// The zoom at which the current page fills the visible width (or the whole visible area).
double PreviewWindow::fittedZoom() const {
    const PreparedPage& page = report_.pages[page_ - 1];
    const QSize room = scroll_->maximumViewportSize() - QSize(pageMargin, pageMargin);
    const double byWidth = room.width() / (page.widthMm * pixelsPerMm);
    if (fit_ == Fit::Width)
        return byWidth;
    return qMin(byWidth, room.height() / (page.heightMm * pixelsPerMm));
}

void PreviewWindow::render() {
    if (report_.pages.isEmpty()) {
        pageImage_->setText(finished_ ? QStringLiteral("Sestava nemá žádnou stránku.")
                                      : QStringLiteral("Sestava se připravuje…"));
        pageImage_->adjustSize();
        return;
    }
    if (fit_ != Fit::Fixed)
        zoom_ = qBound(0.1, fittedZoom(), 4.0);
    const qreal ratio = devicePixelRatioF();
    QImage image = renderPageImage(report_.pages[page_ - 1], zoom_ * ratio);
    image.setDevicePixelRatio(ratio);
    pageImage_->setPixmap(QPixmap::fromImage(image));
    pageImage_->resize(pageImage_->sizeHint());
    const QSignalBlocker blocker(pageBox_);
    pageBox_->setValue(page_);
}

void PreviewWindow::print() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(title_);
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Tisk sestavy"));
    dialog.setMinMax(1, report_.pages.size());
    if (dialog.exec() != QDialog::Accepted)
        return;
    const bool range = printer.printRange() == QPrinter::PageRange;
    if (!printReport(report_, printer, range ? printer.fromPage() : 0,
                     range ? printer.toPage() : 0))
        QMessageBox::critical(this, QStringLiteral("Tisk sestavy"),
                              QStringLiteral("Sestavu se nepodařilo vytisknout."));
}

void PreviewWindow::savePdf() {
    QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("Uložit sestavu jako PDF"),
                                     QString(title_).replace(u'/', u'-') + QStringLiteral(".pdf"),
                                     QStringLiteral("Dokument PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    QString error;
    if (!writePdf(report_, path, &error))
        QMessageBox::critical(this, QStringLiteral("Uložit jako PDF"), error);
}

} // namespace orvex
