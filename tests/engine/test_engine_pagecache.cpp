#include "storage/engine/pagecache.h"

#include <QTest>

using engine::PageCache;

namespace {

constexpr int kPageSize = 4;

// A page whose rows hold their own positions, the first `size` of them.
QVector<PageCache::Row> pageRows(int page, int size) {
    QVector<PageCache::Row> rows;
    for (int i = 0; i < size; ++i)
        rows.append(PageCache::Row{page * kPageSize + i});
    return rows;
}

// Runs a script of steps, each a letter and a number:
//   kN keep page N whole, hN keep the first half of page N, fN find row N,
//   cN store row N anew (as N + 1000), aN add row N at the end, rN remove row N, x clear.
// Returns what each find saw: the row's value or "-" for a miss.
QString run(PageCache& cache, const QString& script) {
    QStringList found;
    for (const QString& step : script.split(u' ', Qt::SkipEmptyParts)) {
        const int n = step.mid(1).toInt();
        switch (step.at(0).toLatin1()) {
        case 'k':
            cache.keep(n, pageRows(n, kPageSize));
            break;
        case 'h':
            cache.keep(n, pageRows(n, kPageSize / 2));
            break;
        case 'f': {
            const PageCache::Row* row = cache.find(n);
            found << (row ? row->value(0).toString() : QStringLiteral("-"));
            break;
        }
        case 'c':
            cache.replace(n, PageCache::Row{n + 1000});
            break;
        case 'a':
            cache.append(n, PageCache::Row{n});
            break;
        case 'r':
            cache.remove(n);
            break;
        case 'x':
            cache.clear();
            break;
        default:
            qFatal("unknown step %s", qPrintable(step));
        }
    }
    return found.join(u' ');
}

} // namespace

class PageCacheTest : public QObject {
    Q_OBJECT
private slots:
    void script_data();
    void script();
};

void PageCacheTest::script_data() {
    QTest::addColumn<int>("capacity");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("found");
    QTest::addColumn<QList<int>>("pagesByUse");

    QTest::newRow("pages in the order they were read") << 3 << "k0 k1 k2"
                                                       << "" << QList<int>{0, 1, 2};
    QTest::newRow("a hit makes its page the most recent") << 3 << "k0 k1 k2 f5"
                                                          << "5" << QList<int>{0, 2, 1};
    QTest::newRow("a full cache drops the page used longest ago") << 3 << "k0 k1 k2 f0 k3 f4"
                                                                  << "0 -" << QList<int>{2, 0, 3};
    QTest::newRow("a miss leaves the order") << 3 << "k0 k1 f0 f40"
                                             << "0 -" << QList<int>{1, 0};
    QTest::newRow("a page read again replaces its rows, nothing dropped")
        << 2 << "k0 k1 c1 k0 f1"
        << "1" << QList<int>{1, 0};
    QTest::newRow("one page: the last one read is not kept after it goes")
        << 1 << "k0 f0 k1 f0 f4"
        << "0 - 4" << QList<int>{1};
    QTest::newRow("a capacity below one still holds a page") << 0 << "k0 k1 f4"
                                                             << "4" << QList<int>{1};
    QTest::newRow("a changed row is replaced where held, ignored elsewhere")
        << 2 << "k0 f1 c2 f2 c9 f9"
        << "1 1002 -" << QList<int>{0};
    QTest::newRow("a new row joins a held last page right after its rows")
        << 2 << "h1 f6 a7 f7 a6 f6 a8 f8"
        << "- - 6 -" << QList<int>{1};
    QTest::newRow("a removed row drops its page and every later one")
        << 4 << "k0 k1 k2 k3 r5 f0 f5 f9"
        << "0 - -" << QList<int>{0};
    QTest::newRow("removing on the page read last") << 2 << "k0 k1 f4 r4 f4 f0"
                                                    << "4 - 0" << QList<int>{0};
    QTest::newRow("clear forgets the page read last") << 2 << "k0 k1 f0 x f0"
                                                      << "0 -" << QList<int>{};
}

void PageCacheTest::script() {
    QFETCH(int, capacity);
    QFETCH(QString, script);
    QFETCH(QString, found);
    QFETCH(QList<int>, pagesByUse);
    PageCache cache(kPageSize, capacity);
    QCOMPARE(run(cache, script), found);
    QCOMPARE(cache.pagesByUse(), pagesByUse);
}

QTEST_GUILESS_MAIN(PageCacheTest)
#include "test_engine_pagecache.moc"
