// The report preview: its size on the screen, the zoom it opens with, its Czech texts, and
// that it keeps nothing between two openings.

#include "orvex/orvexfixtures.h"
#include "orvex/previewwindow.h"
#include "orvex/reportjob.h"
#include "orvex/reportoutput.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollArea>
#include <QSemaphore>
#include <QStandardPaths>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

using namespace orvexfixtures;

namespace {

orvex::PreparedReport bookListing(int rows) {
    orvex::PreparedJob job =
        orvex::prepareReport(QStringLiteral(LUMIRA_BINARY_DIR "/Ses/Kniha_faktur.fr3"),
                             programParameters("Kniha faktur"), book(rows));
    if (!job.ok)
        qFatal("%s", qPrintable(job.error));
    return std::move(job.report);
}

QStringList toolBarTexts(const orvex::PreviewWindow& preview) {
    QStringList texts;
    for (const QAction* action : preview.findChild<QToolBar*>()->actions())
        if (!action->isSeparator() && !action->text().isEmpty())
            texts << action->text() + QStringLiteral(" / ") + action->toolTip();
    // Tool buttons show their actions' tips; the other widgets have their own.
    for (const QWidget* widget : preview.findChild<QToolBar*>()->findChildren<QWidget*>())
        if (!widget->toolTip().isEmpty() && !qobject_cast<const QToolButton*>(widget))
            texts << widget->toolTip();
    return texts;
}

orvex::LayoutInput layoutInput(const QString& templatePath, const QString& title, int rows) {
    orvex::LoadedReport loaded =
        orvex::loadReport(templatePath, programParameters(title), book(rows));
    if (!loaded.ok)
        qFatal("%s", qPrintable(loaded.error));
    return std::move(loaded.input);
}

// The page the preview shows, as drawn on screen.
QImage shownPage(const orvex::PreviewWindow& preview) {
    const auto* image = qobject_cast<const QLabel*>(preview.findChild<QScrollArea*>()->widget());
    return image->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
}

// A prepared page drawn as the preview draws it.
QImage drawnPage(const orvex::PreviewWindow& preview, const orvex::PreparedPage& page) {
    return orvex::renderPageImage(page, preview.zoom() * preview.devicePixelRatioF())
        .convertToFormat(QImage::Format_RGB32);
}

const QAction* toolBarAction(const orvex::PreviewWindow& preview, const QString& text) {
    for (const QAction* action : preview.findChild<QToolBar*>()->actions())
        if (action->text() == text)
            return action;
    return nullptr;
}

QStringList toolBarLabels(const orvex::PreviewWindow& preview) {
    QStringList texts;
    for (const QLabel* label : preview.findChild<QToolBar*>()->findChildren<QLabel*>())
        texts << label->text();
    return texts;
}

int pageImageWidth(const orvex::PreviewWindow& preview) {
    return preview.findChild<QScrollArea*>()->widget()->width();
}

} // namespace

class TestOrvexPreview : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void opensOnScreenAtFitToWidth() {
        orvex::PreviewWindow preview(bookListing(60), QStringLiteral("Kniha faktur"));
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        QVERIFY(preview.screen()->availableGeometry().contains(preview.frameGeometry()));
        QCOMPARE(preview.fit(), orvex::PreviewWindow::Fit::Width);
        QCOMPARE(preview.findChild<QComboBox*>()->currentText(), QStringLiteral("Podle šířky"));
        const int viewport = preview.findChild<QScrollArea*>()->viewport()->width();
        QVERIFY2(pageImageWidth(preview) <= viewport && pageImageWidth(preview) > viewport - 40,
                 qPrintable(QStringLiteral("%1 in %2").arg(pageImageWidth(preview)).arg(viewport)));
        // Fit to width follows the window.
        const int before = pageImageWidth(preview);
        preview.resize(preview.width() - 100, preview.height());
        QTRY_VERIFY(pageImageWidth(preview) < before - 50);
    }

    // The layout is held after its second page: the first page is on screen by then, and
    // printing waits for the rest. A count of all pages shows "…" meanwhile; when the last
    // page is known, the pages on hand get the count and the page in sight is drawn again.
    void showsTheFirstPageWhileTheRestIsLaidOut_data() {
        QTest::addColumn<QString>("templatePath");
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("showsCount");
        QTest::newRow("page numbers only")
            << QString(LUMIRA_TEST_DATA "/zaklad.fr3") << "Řádky" << false;
        QTest::newRow("Strana X z Y")
            << QString(LUMIRA_BINARY_DIR "/Ses/Kniha_faktur.fr3") << "Kniha faktur" << true;
    }

    void showsTheFirstPageWhileTheRestIsLaidOut() {
        QFETCH(QString, templatePath);
        QFETCH(QString, title);
        QFETCH(bool, showsCount);
        QSemaphore held;
        orvex::LayoutInput input = layoutInput(templatePath, title, 150);
        const orvex::PreparedReport whole = orvex::layoutReport(input);
        const int pages = whole.pages.size();
        QVERIFY(pages > 2);
        input.pageDone = [&held](const orvex::PreparedPage&, int index) {
            if (index == 1)
                held.tryAcquire(1, 30000);
            return true;
        };
        orvex::PreviewWindow preview(input, {}, title);
        const auto unhold = qScopeGuard([&held] { held.release(); }); // a failed check ends here
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        const auto* image = preview.findChild<QScrollArea*>()->widget();
        QTRY_COMPARE(preview.pageCount(), 2);
        QVERIFY(!preview.layoutFinished());
        QVERIFY(!qobject_cast<const QLabel*>(image)->pixmap().isNull());
        QCOMPARE(preview.currentPage(), 1);
        QVERIFY(!toolBarAction(preview, "Tisk...")->isEnabled());
        QVERIFY(!toolBarAction(preview, "Uložit jako PDF...")->isEnabled());
        QVERIFY(toolBarLabels(preview).contains(" z 2… "));
        const QImage early = shownPage(preview);
        QCOMPARE(early == drawnPage(preview, whole.pages[0]), !showsCount);

        held.release();
        QTRY_VERIFY(preview.layoutFinished());
        QCOMPARE(shownPage(preview), drawnPage(preview, whole.pages[0]));
        QCOMPARE(preview.pageCount(), pages);
        QVERIFY(toolBarLabels(preview).contains(QString(" z %1 ").arg(pages)));
        QVERIFY(toolBarAction(preview, "Tisk...")->isEnabled());
        preview.showPage(pages);
        QCOMPARE(preview.currentPage(), pages);
        QCOMPARE(shownPage(preview), drawnPage(preview, whole.pages.last()));
    }

    void zoomChoices() {
        orvex::PreviewWindow preview(bookListing(60), QStringLiteral("Kniha faktur"));
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        preview.setZoom(1.0);
        QCOMPARE(preview.fit(), orvex::PreviewWindow::Fit::Fixed);
        QCOMPARE(preview.findChild<QComboBox*>()->currentText(), QStringLiteral("100 %"));
        QCOMPARE(pageImageWidth(preview), qRound(297 * orvex::pixelsPerMm)); // A4 landscape
        preview.setFit(orvex::PreviewWindow::Fit::Page);
        const auto* scroll = preview.findChild<QScrollArea*>();
        QVERIFY(scroll->widget()->height() <= scroll->viewport()->height());
        QVERIFY(scroll->widget()->width() <= scroll->viewport()->width());
    }

    void everyCaptionAndTipIsCzech() {
        orvex::PreviewWindow preview(bookListing(60), QStringLiteral("Kniha faktur"));
        QCOMPARE(preview.windowTitle(), QStringLiteral("Náhled sestavy – Kniha faktur"));
        const QStringList expected = {"Tisk... / Tisk",
                                      "Uložit jako PDF... / Uložit jako PDF",
                                      "|< / První strana",
                                      "< / Předchozí strana",
                                      "> / Další strana",
                                      ">| / Poslední strana",
                                      "Zavřít / Zavřít",
                                      "Strana",
                                      "Lupa"};
        QStringList texts = toolBarTexts(preview);
        texts.sort();
        QStringList sortedExpected = expected;
        sortedExpected.sort();
        QCOMPARE(texts, sortedExpected);
        QStringList zooms;
        const auto* zoomBox = preview.findChild<QComboBox*>();
        for (int i = 0; i < zoomBox->count(); ++i)
            zooms << zoomBox->itemText(i);
        QCOMPARE(zooms, QStringList({"Podle šířky", "Celá strana", "50 %", "75 %", "100 %", "125 %",
                                     "150 %", "200 %", "300 %"}));
    }

    void remembersNothingBetweenOpenings() {
        const QString config = QStandardPaths::writableLocation(QStandardPaths::ConfigLocation);
        const QStringList before = QDir(config).entryList(QDir::Files | QDir::NoDotAndDotDot);
        {
            orvex::PreviewWindow preview(bookListing(60), QStringLiteral("Kniha faktur"));
            preview.show();
            QVERIFY(QTest::qWaitForWindowExposed(&preview));
            preview.setZoom(2.0);
            preview.showPage(2);
        }
        orvex::PreviewWindow again(bookListing(60), QStringLiteral("Kniha faktur"));
        QCOMPARE(again.fit(), orvex::PreviewWindow::Fit::Width);
        QCOMPARE(again.currentPage(), 1);
        QCOMPARE(QDir(config).entryList(QDir::Files | QDir::NoDotAndDotDot), before);
    }
};

QTEST_MAIN(TestOrvexPreview)
#include "test_orvex_preview.moc"
