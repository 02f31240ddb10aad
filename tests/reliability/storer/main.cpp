// lumira-storer DIR N: the program started on DIR as the user starts it, which then appends
// and posts N invoices through the book data set (with the record commands' hooks) and prints
// "stored <Id> <Cislo>" to stdout each time a post has returned ("failed <reason>" to stderr
// when one did not). Afterwards it keeps running, so a test can kill it at any moment.

#include "app/runprogram.h"
#include "app/thlavni.h"
#include "reliability/storer/storedrows.h"

#include <QApplication>
#include <QDir>
#include <QTimer>
#include <cstdio>

namespace {

// Stores one row per event-loop turn, so the program stays as responsive as in normal use.
void storeNext(THlavni* window, int index, int count) {
    if (index > count)
        return;
    engine::DataSet& book = window->state().book;
    const QVariantMap values = storer::rowValues(QCoreApplication::applicationPid(), index);
    bool stored = book.append();
    for (auto it = values.begin(); stored && it != values.end(); ++it)
        stored = book.setValue(it.key(), it.value());
    if (!stored || !book.post()) {
        std::fprintf(stderr, "failed %s\n", qUtf8Printable(book.lastError()));
        return;
    }
    std::printf("stored %lld %s\n", book.value(QStringLiteral("Id")).toLongLong(),
                qUtf8Printable(values.value(QStringLiteral("Cislo")).toString()));
    std::fflush(stdout);
    QTimer::singleShot(0, window, [window, index, count] { storeNext(window, index + 1, count); });
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const QStringList args = application.arguments();
    bool numeric = false;
    const int count = args.value(2).toInt(&numeric);
    if (args.size() != 3 || !numeric || count < 0) {
        std::fprintf(stderr, "usage: lumira-storer DIR N\n");
        return 2;
    }
    return runProgram(
        application, QDir(args.at(1)).absolutePath() + u'/', [count](THlavni& window) {
            QTimer::singleShot(0, &window, [&window, count] { storeNext(&window, 1, count); });
        });
}
