#include "browse/bookmodel.h"
#include "support/mainwindowrig.h"
#include "support/scriptedhost.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QtTest>

namespace {

// Starts the book with the rows A, B and C and shows the grid as the user sees it.
void showThreeRows(MainWindowRig& rig) {
    for (const char* cislo : {"A", "B", "C"})
        rig.fixture.insertInvoice(cislo);
    rig.start();
    rig.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&rig.window));
}

} // namespace

class BrowseGridTest : public QObject {
    Q_OBJECT
private slots:
    void columns_data();
    void columns();
    void formats_data();
    void formats();
    void rememberedWidths_data();
    void rememberedWidths();
    void draggedColumnKeepsItsPlaceUntilLayout();
    void selectionFollowsTheBook();
    void clickMovesTheBook();
    void failedMoveIsShownAndTheRowStays();
    void doubleClickEdits();
    void doubleClickAnywhereEdits_data();
    void doubleClickAnywhereEdits();
    void tabStaysOnTheRows_data();
    void tabStaysOnTheRows();
    void titleClickDoesNothing();
};

void BrowseGridTest::columns_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("titleAlignment");
    QTest::addColumn<int>("cellAlignment");
    QTest::addColumn<int>("width");
    const int l = Qt::AlignLeft, c = Qt::AlignHCenter, r = Qt::AlignRight;
    const struct {
        const char* field;
        const char* title;
        int titleAlignment, cellAlignment, width;
    } expected[] = {{"Cislo", "Číslo", c, c, 70},
                    {"Dodavatel_odberatel", "Dodavatel", l, l, 130},
                    {"ICO", "IČO", l, l, 40},
                    {"CisloUctu", "Číslo účtu", l, l, 60},
                    {"SmerovyKod", "Kód", l, l, 40},
                    {"Specifikace", "Specifikace", l, l, 105},
                    {"VariabilniSymbol", "VS", l, r, 70},
                    {"Zaklad", "Základ", c, r, 70},
                    {"SazbaDPH", "Sazba DPH", c, c, 25},
                    {"DPH", "DPH", c, r, 60},
                    {"Celkem", "Celkem", c, r, 70},
                    {"Datum1", "Vystaveno", r, r, 70},
                    {"Datum2", "Splatno", r, r, 70},
                    {"Datum3", "Datum 3", r, r, 70},
                    {"Poznamka", "Poznámka", l, l, 100}};
    for (int i = 0; i < 15; ++i)
        QTest::newRow(expected[i].field)
            << i << expected[i].field << QString::fromUtf8(expected[i].title)
            << expected[i].titleAlignment << expected[i].cellAlignment << expected[i].width;
}

void BrowseGridTest::columns() {
    QFETCH(int, column);
    QFETCH(QString, field);
    QFETCH(QString, title);
    QFETCH(int, titleAlignment);
    QFETCH(int, cellAlignment);
    QFETCH(int, width);
    MainWindowRig rig;
    rig.fixture.insertInvoice("A");
    rig.state.settings.PopiskaD1_FD = "Vystaveno";
    rig.state.settings.PopiskaD2_FD = "Splatno";
    rig.state.settings.PopiskaD1_FO = "Jiné";
    rig.start();
    const QAbstractItemModel* model = rig.grid->model();
    QCOMPARE(model->columnCount(), 15);
    QCOMPARE(model->headerData(column, Qt::Horizontal, Qt::UserRole).toString(), field);
    QCOMPARE(rig.title(column), title);
    const auto horizontal = [](const QVariant& alignment) {
        return int(alignment.value<Qt::Alignment>() & Qt::AlignHorizontal_Mask);
    };
    QCOMPARE(horizontal(model->headerData(column, Qt::Horizontal, Qt::TextAlignmentRole)),
             titleAlignment);
    QCOMPARE(horizontal(model->index(0, column).data(Qt::TextAlignmentRole)), cellAlignment);
    QCOMPARE(rig.grid->horizontalHeader()->sectionSize(column), width);
    QCOMPARE(rig.grid->horizontalHeader()->visualIndex(column), column);
}

void BrowseGridTest::formats_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("shown"); // blanks stand for the locale's group separator
    QTest::newRow("zero amount") << "Zaklad" << QVariant(0.0) << "0,00";
    QTest::newRow("thousands") << "DPH" << QVariant(1234.5) << "1 234,50";
    QTest::newRow("below a cent negative") << "Celkem" << QVariant(-0.004) << "0,00";
    QTest::newRow("negative") << "Celkem" << QVariant(-1234.5678) << "-1 234,57";
    QTest::newRow("a milliard") << "Zaklad" << QVariant(1e9) << "1 000 000 000,00";
    QTest::newRow("empty date") << "Datum1" << QVariant() << "";
    QTest::newRow("leap day") << "Datum2" << QVariant(QDate(2024, 2, 29)) << "29.2.2024";
    QTest::newRow("no leading zeros") << "Datum3" << QVariant(QDate(2015, 3, 5)) << "5.3.2015";
    QTest::newRow("rate") << "SazbaDPH" << QVariant(21) << "21";
    QTest::newRow("text") << "Poznamka" << QVariant("Poznámka č.1") << "Poznámka č.1";
}

void BrowseGridTest::formats() {
    QFETCH(QString, field);
    QFETCH(QVariant, value);
    QFETCH(QString, shown);
    MainWindowRig rig;
    QVariantMap values{{"Cislo", "A"}};
    if (value.isValid())
        values.insert(field, value);
    rig.fixture.insert("FDosle", values);
    rig.start();
    const int column = BookModel::columns;
    int found = -1;
    for (int i = 0; i < column; ++i)
        if (BookModel::fieldName(i) == field)
            found = i;
    QVERIFY(found >= 0);
    if (value.typeId() == QMetaType::Double)
        shown.replace(u' ', QLocale().groupSeparator());
    QCOMPARE(rig.cell(0, found), shown);
}

void BrowseGridTest::rememberedWidths_data() {
    QTest::addColumn<bool>("remember");
    QTest::addColumn<QStringList>("ini");
    QTest::addColumn<QList<int>>("widths"); // Cislo, ICO, Poznamka
    const QStringList stored{"[TabulkaDB]", "Cislo=99", "ICO=0", "Poznamka=abc"};
    QTest::newRow("switch off") << false << stored << QList<int>{70, 40, 100};
    QTest::newRow("stored, 0 and unreadable") << true << stored << QList<int>{99, 40, 100};
    QTest::newRow("no section") << true << QStringList{"[Nastaveni]", "Mena=CZK"}
                                << QList<int>{70, 40, 100};
}

void BrowseGridTest::rememberedWidths() {
    QFETCH(bool, remember);
    QFETCH(QStringList, ini);
    QFETCH(QList<int>, widths);
    MainWindowRig rig;
    rig.fixture.writeIni(ini);
    rig.state.settings.UkladatTabulkuDB = remember;
    rig.start();
    const QHeaderView* header = rig.grid->horizontalHeader();
    QCOMPARE((QList<int>{header->sectionSize(0), header->sectionSize(2), header->sectionSize(14)}),
             widths);
}

void BrowseGridTest::draggedColumnKeepsItsPlaceUntilLayout() {
    MainWindowRig rig;
    rig.fixture.insertInvoice("A");
    rig.start();
    QHeaderView* header = rig.grid->horizontalHeader();
    QVERIFY(header->sectionsMovable());
    header->moveSection(14, 0);
    header->resizeSection(0, 123);
    // A filter reopens the book with the columns as they are.
    rig.state.BookCondition = " WHERE Cislo = 'A'";
    QVERIFY(rig.browse->ReopenBook());
    QCOMPARE(header->visualIndex(14), 0);
    QCOMPARE(header->sectionSize(0), 123);
    QCOMPARE(rig.cell(0, 0), QString("A"));
    rig.browse->LayoutColumns();
    for (int column = 0; column < 15; ++column)
        QCOMPARE(header->visualIndex(column), column);
    QCOMPARE(header->sectionSize(0), 70);
}

void BrowseGridTest::selectionFollowsTheBook() {
    MainWindowRig rig;
    for (const char* cislo : {"A", "B", "C"})
        rig.fixture.insertInvoice(cislo);
    rig.start();
    const auto selectedRows = [&rig] {
        QList<int> rows;
        for (const QModelIndex& index : rig.grid->selectionModel()->selectedRows())
            rows << index.row();
        return rows;
    };
    QCOMPARE(rig.grid->currentIndex().row(), 0);
    QCOMPARE(selectedRows(), QList<int>{0});
    QVERIFY(rig.state.book.last());
    QCOMPARE(rig.grid->currentIndex().row(), 2);
    QCOMPARE(selectedRows(), QList<int>{2});
    const QAbstractItemModel* model = rig.grid->model();
    QVERIFY(!model->headerData(2, Qt::Vertical).toString().isEmpty());
    QVERIFY(model->headerData(0, Qt::Vertical).toString().isEmpty());
    QVERIFY(rig.state.book.remove());
    QCOMPARE(model->rowCount(), 2);
    QCOMPARE(rig.state.book.recNo(), 2);
    QCOMPARE(rig.grid->currentIndex().row(), 1);
    QCOMPARE(rig.labels.La_Pocitadlo->text(), QString("2 z 2"));
}

void BrowseGridTest::clickMovesTheBook() {
    MainWindowRig rig;
    showThreeRows(rig);
    const QRect cell = rig.grid->visualRect(rig.grid->model()->index(2, 5));
    QTest::mouseClick(rig.grid->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(rig.state.book.recNo(), 3);
    QCOMPARE(rig.labels.La_Pocitadlo->text(), QString("3 z 3"));
    QTest::keyClick(rig.grid, Qt::Key_Up);
    QCOMPARE(rig.state.book.recNo(), 2);
    QTest::keyClick(rig.grid, Qt::Key_Tab);
    QVERIFY(rig.grid->hasFocus());
}

void BrowseGridTest::failedMoveIsShownAndTheRowStays() {
    ScriptedHost host;
    MainWindowRig rig;
    rig.fixture.insertInvoice("A");
    rig.start();
    engine::DataSet& book = rig.state.book;
    QVERIFY(book.append());
    QVERIFY(book.setValue("Poznamka", "bez čísla"));
    QCOMPARE(rig.grid->currentIndex().row(), 1);
    rig.grid->setCurrentIndex(rig.grid->model()->index(0, 0));
    // The database refuses a row without Cislo: the message shows and the new row stays.
    QCOMPARE(host.messages.size(), 1);
    QCOMPARE(host.messages[0].kind, dialogs::MessageKind::Error);
    QVERIFY(book.state() == engine::DataSet::State::Insert);
    QCOMPARE(rig.grid->currentIndex().row(), 1);
    QCOMPARE(rig.cell(1, 14), QString("bez čísla"));
    book.cancel();
    QCOMPARE(rig.grid->model()->rowCount(), 1);
    QCOMPARE(rig.grid->currentIndex().row(), 0);
}

void BrowseGridTest::doubleClickEdits() {
    MainWindowRig rig;
    rig.fixture.insertInvoice("A");
    rig.start();
    int edits = 0;
    QObject::connect(rig.actions.Akce_Edit, &QAction::triggered, [&edits] { ++edits; });
    rig.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&rig.window));
    const QRect cell = rig.grid->visualRect(rig.grid->model()->index(0, 1));
    // A real double click: the first click, then the second press arriving as a double click.
    QTest::mouseClick(rig.grid->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(rig.grid->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(edits, 1);
    QCOMPARE(rig.grid->editTriggers(), QAbstractItemView::NoEditTriggers);
}

void BrowseGridTest::doubleClickAnywhereEdits_data() {
    QTest::addColumn<QString>("where");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("edits");
    QTest::newRow("below the last row") << "below" << true << 1;
    QTest::newRow("on the record indicator") << "indicator" << true << 1;
    QTest::newRow("while correcting is disabled") << "below" << false << 0;
}

void BrowseGridTest::doubleClickAnywhereEdits() {
    QFETCH(QString, where);
    QFETCH(bool, enabled);
    QFETCH(int, edits);
    MainWindowRig rig;
    rig.fixture.insertInvoice("A");
    rig.fixture.insertInvoice("B");
    rig.start();
    int triggered = 0;
    QObject::connect(rig.actions.Akce_Edit, &QAction::triggered, [&triggered] { ++triggered; });
    rig.actions.Akce_Edit->setEnabled(enabled);
    rig.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&rig.window));
    QWidget* target = rig.grid->viewport();
    QPoint point(20, rig.grid->rowViewportPosition(1) + 3 * rig.grid->rowHeight(1));
    if (where == "indicator") {
        target = rig.grid->verticalHeader()->viewport();
        point = QPoint(target->width() / 2, rig.grid->rowViewportPosition(1) + 2);
    }
    QVERIFY(point.y() < target->height());
    QTest::mouseClick(target, Qt::LeftButton, {}, point);
    QTest::mouseDClick(target, Qt::LeftButton, {}, point);
    QCOMPARE(triggered, edits);
}

void BrowseGridTest::tabStaysOnTheRows_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("backward");
    QTest::addColumn<int>("rowAfter");
    QTest::addColumn<int>("columnAfter");
    QTest::newRow("Tab at the last cell of the last row") << 2 << 14 << false << 2 << 14;
    QTest::newRow("Shift+Tab at the first cell of the first row") << 0 << 0 << true << 0 << 0;
    QTest::newRow("Tab at the end of another row goes on") << 1 << 14 << false << 2 << 0;
    QTest::newRow("Shift+Tab at the start of another row goes back") << 2 << 0 << true << 1 << 14;
}

void BrowseGridTest::tabStaysOnTheRows() {
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(bool, backward);
    QFETCH(int, rowAfter);
    QFETCH(int, columnAfter);
    MainWindowRig rig;
    showThreeRows(rig);
    rig.grid->setFocus();
    rig.grid->setCurrentIndex(rig.grid->model()->index(row, column));
    if (backward)
        QTest::keyClick(rig.grid, Qt::Key_Backtab, Qt::ShiftModifier);
    else
        QTest::keyClick(rig.grid, Qt::Key_Tab);
    QCOMPARE(rig.grid->currentIndex().row(), rowAfter);
    QCOMPARE(rig.grid->currentIndex().column(), columnAfter);
    QCOMPARE(rig.state.book.recNo(), rowAfter + 1);
    QVERIFY(rig.grid->hasFocus());
}

void BrowseGridTest::titleClickDoesNothing() {
    MainWindowRig rig;
    for (const char* cislo : {"B", "A"})
        rig.fixture.insertInvoice(cislo);
    rig.start();
    rig.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&rig.window));
    QHeaderView* header = rig.grid->horizontalHeader();
    const int x = header->sectionViewportPosition(0) + header->sectionSize(0) / 2;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
    QCOMPARE(rig.cell(0, 0), QString("B"));
    QCOMPARE(rig.state.book.recNo(), 1);
    QCOMPARE(rig.grid->selectionModel()->selectedRows().size(), 1);
}

QTEST_MAIN(BrowseGridTest)
#include "test_browse_grid.moc"
