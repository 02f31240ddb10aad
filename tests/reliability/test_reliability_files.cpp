// Files under write failures: the settings writer, both exports and the new-template writer
// meet a write error midway (a file size limit), a folder where their file belongs, and a
// plain file where their folder belongs. Each time the old file stays byte for byte, no
// temporary file is left behind and the user is told.

#include "export/export1.h"
#include "reports/reportscontroller.h"
#include "support/mainwindowrig.h"
#include "support/testfiles.h"

#include <QDirIterator>
#include <QMenu>
#include <QToolButton>
#include <csignal>
#include <sys/resource.h>

namespace {

enum class Writer { Settings, Xml, Csv, NewTemplate };
enum class Failure { SizeLimit, FolderAsTarget, FileAsFolder };

// Writes beyond `bytes` fail with EFBIG while it lives (root too); SIGXFSZ is ignored so the
// failure reaches the writer as an error instead of ending the process.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &saved);
        const rlimit limited{bytes, saved.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved); }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved{};
};

// Every path below the folder with its bytes (folders marked), to see what a writer left.
QMap<QString, QByteArray> snapshot(const QString& dir) {
    QMap<QString, QByteArray> entries;
    QDirIterator it(dir, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        entries.insert(path, it.fileInfo().isDir() ? QByteArray("<folder>") : fileBytes(path));
    }
    return entries;
}

} // namespace

class FilesTest : public QObject {
    Q_OBJECT

private slots:
    void writeFailureKeepsOldFile_data();
    void writeFailureKeepsOldFile();
};

void FilesTest::writeFailureKeepsOldFile_data() {
    QTest::addColumn<Writer>("writer");
    QTest::addColumn<Failure>("failure");
    QTest::addColumn<QString>("message"); // the start of what the user is told
    const QString settings = QStringLiteral("Nelze uložit soubor nastavení");
    const QString xml = QStringLiteral("XML dokument se nepodařilo vytvořit: \r\nSoubor \"");
    const QString csv = QStringLiteral("Soubor \"");
    const QString newTemplate = QStringLiteral("Soubor předlohy \"");
    QTest::newRow("settings, size limit") << Writer::Settings << Failure::SizeLimit << settings;
    // A folder in its place cannot be read either, and a file not read is never replaced.
    QTest::newRow("settings, folder as file") << Writer::Settings << Failure::FolderAsTarget
                                              << QStringLiteral("Nelze přečíst soubor nastavení");
    QTest::newRow("settings, file as folder")
        << Writer::Settings << Failure::FileAsFolder << settings;
    QTest::newRow("xml, size limit") << Writer::Xml << Failure::SizeLimit << xml;
    QTest::newRow("xml, folder as file") << Writer::Xml << Failure::FolderAsTarget << xml;
    QTest::newRow("xml, file as folder") << Writer::Xml << Failure::FileAsFolder << xml;
    QTest::newRow("csv, size limit") << Writer::Csv << Failure::SizeLimit << csv;
    QTest::newRow("csv, folder as file") << Writer::Csv << Failure::FolderAsTarget << csv;
    QTest::newRow("csv, file as folder") << Writer::Csv << Failure::FileAsFolder << csv;
    QTest::newRow("template, size limit")
        << Writer::NewTemplate << Failure::SizeLimit << newTemplate;
    // The template's own name taken by a folder: refused as an existing file.
    QTest::newRow("template, folder as file")
        << Writer::NewTemplate << Failure::FolderAsTarget << QStringLiteral("Soubor \"");
    QTest::newRow("template, file as folder")
        << Writer::NewTemplate << Failure::FileAsFolder << newTemplate;
}

void FilesTest::writeFailureKeepsOldFile() {
    QFETCH(Writer, writer);
    QFETCH(Failure, failure);
    QFETCH(QString, message);
    ScriptedHost host;
    MainWindowRig rig;
    rig.fixture.insertInvoice(QStringLiteral("FD_1"), 100, 21, 121, QDate(2024, 1, 2));
    rig.fixture.insertInvoice(QStringLiteral("FD_2 \"&<|'"), 5.5, 0, 5.5);
    rig.start();
    rig.fixture.writeIni({QStringLiteral("[Nastaveni]"), QStringLiteral("TypProstredi=0"),
                          QStringLiteral("NazevSubjektu=Stará firma s.r.o.")});

    // Where each writer puts its file; a failure moves it into a folder or below a file.
    const QString root = rig.fixture.dir.path() + u'/';
    const QString folder = writer == Writer::NewTemplate      ? root + QStringLiteral("Ses/")
                           : failure == Failure::FileAsFolder ? root + QStringLiteral("plain/")
                                                              : root;
    if (failure == Failure::FileAsFolder)
        writeBytes(folder.chopped(1), "a plain file\n");
    else
        QVERIFY(QDir().mkpath(folder));
    const QString name = writer == Writer::Settings      ? QStringLiteral("Lumira.ini")
                         : writer == Writer::NewTemplate ? QStringLiteral("Predloha_01.fr3")
                                                         : QStringLiteral("export.txt");
    const QString target = folder + name;
    if (failure == Failure::SizeLimit && writer != Writer::NewTemplate && !QFile::exists(target))
        writeBytes(target, "old contents\r\n");
    if (failure == Failure::FolderAsTarget) {
        QFile::remove(target);
        QVERIFY(QDir().mkpath(target));
        writeBytes(target + QStringLiteral("/inside"), "kept\n");
    }
    if (writer == Writer::Settings)
        rig.state.ProgramDir = folder; // the book stays open on the database it has
    const QMap<QString, QByteArray> before = snapshot(root);

    QMenu printMenu;
    QToolButton printButton;
    ReportsController reports(rig.state, rig.actions, &printMenu, &printButton, &rig.window);
    {
        std::unique_ptr<FileSizeLimit> limit;
        if (failure == Failure::SizeLimit)
            limit = std::make_unique<FileSizeLimit>(16);
        switch (writer) {
        case Writer::Settings:
            host.dialogActions.enqueue([](QDialog& dialog) { return chooseOption(dialog, 1); });
            rig.browse->ChangeBook();
            break;
        case Writer::Xml:
            QCOMPARE(Export1::ExportToXml(rig.state.book, target, QStringLiteral("data")),
                     Export1::Outcome::Failed);
            break;
        case Writer::Csv:
            QCOMPARE(Export1::ExportToCsv(rig.state.book, true, false, u'|', target),
                     Export1::Outcome::Failed);
            break;
        case Writer::NewTemplate:
            host.textAnswers.enqueue(QStringLiteral("Přehled"));
            reports.Akce_NovaSestavaExecute();
            break;
        }
    }

    QCOMPARE(snapshot(root), before);
    QCOMPARE(host.messages.size(), 1);
    QVERIFY2(host.messages[0].text.startsWith(message), qPrintable(host.messages[0].text));
    QVERIFY2(host.messages[0].text.contains(name), qPrintable(host.messages[0].text));
    if (writer == Writer::Settings)
        QCOMPARE(rig.state.activeBook.TypProstredi(), 0);
}

QTEST_MAIN(FilesTest)
#include "test_reliability_files.moc"
