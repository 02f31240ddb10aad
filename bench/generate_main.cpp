// lumira-generate DIR N [table]: writes N realistic invoices into the book of a program folder.

#include "bench/generator.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    const QStringList args = application.arguments();
    bool numeric = false;
    const qint64 rows = args.value(2).toLongLong(&numeric);
    const QString table = args.value(3, QStringLiteral("FDosle"));
    if (args.size() < 3 || args.size() > 4 || !numeric || rows < 0 ||
        (table != QLatin1String("FDosle") && table != QLatin1String("FOdeslane"))) {
        std::fprintf(stderr, "usage: lumira-generate DIR N [FDosle|FOdeslane]\n");
        return 2;
    }
    QElapsedTimer timer;
    timer.start();
    QString error;
    if (!bench::generateBook(args.at(1), table, rows, &error)) {
        std::fprintf(stderr, "lumira-generate: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("%lld rows written to %s in %.1f s\n", rows, qPrintable(table),
                double(timer.elapsed()) / 1000.0);
    return 0;
}
