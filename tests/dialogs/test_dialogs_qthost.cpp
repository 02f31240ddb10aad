#include "dialogs/czechtranslations.h"
#include "dialogs/filefilter.h"
#include "dialogs/qtdialoghost.h"
#include "dialogs/win1250validator.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace dialogs;

Q_DECLARE_METATYPE(dialogs::MessageKind)
Q_DECLARE_METATYPE(dialogs::Answer)
Q_DECLARE_METATYPE(QMessageBox::Icon)
Q_DECLARE_METATYPE(QMessageBox::StandardButton)

class QtHostTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void messageBox_data();
    void messageBox();
    void nameFilters_data();
    void nameFilters();
    void filterExtension_data();
    void filterExtension();
    void saveFile_data();
    void saveFile();
    void inputTextFiltersItsBox();
    void cancelReadsStorno_data();
    void cancelReadsStorno();
};

void QtHostTest::initTestCase() {
    QVERIFY(installCzechTranslations(*qApp));
    QCOMPARE(QLocale().language(), QLocale::Czech);
}

void QtHostTest::messageBox_data() {
    QTest::addColumn<MessageKind>("kind");
    QTest::addColumn<int>("questionKind");
    QTest::addColumn<QMessageBox::Icon>("icon");
    QTest::addColumn<int>("buttons");
    QTest::addColumn<QMessageBox::StandardButton>("defaultButton");
    QTest::addColumn<QMessageBox::StandardButton>("pressed");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QStringList>("buttonTexts"); // sorted

    const int ok = QMessageBox::Ok;
    const int yesNo = QMessageBox::Yes | QMessageBox::No;
    const int yesNoCancel = yesNo | QMessageBox::Cancel;
    const QStringList okText = {"OK"};
    const QStringList yesNoTexts = {"&Ano", "&Ne"};
    const QStringList yesNoCancelTexts = {"&Ano", "&Ne", "Storno"};
    QTest::newRow("info") << MessageKind::Info << 0 << QMessageBox::Information << ok
                          << QMessageBox::Ok << QMessageBox::Ok << Answer::Ok << okText;
    QTest::newRow("warning") << MessageKind::Warning << 0 << QMessageBox::Warning << ok
                             << QMessageBox::Ok << QMessageBox::Ok << Answer::Ok << okText;
    QTest::newRow("error") << MessageKind::Error << 0 << QMessageBox::Critical << ok
                           << QMessageBox::Ok << QMessageBox::Ok << Answer::Ok << okText;
    QTest::newRow("question 1, yes")
        << MessageKind::Question << 1 << QMessageBox::Question << yesNo << QMessageBox::No
        << QMessageBox::Yes << Answer::Yes << yesNoTexts;
    QTest::newRow("question 2, no")
        << MessageKind::Question << 2 << QMessageBox::Warning << yesNo << QMessageBox::No
        << QMessageBox::No << Answer::No << yesNoTexts;
    QTest::newRow("question 3, cancel")
        << MessageKind::Question << 3 << QMessageBox::Question << yesNoCancel << QMessageBox::No
        << QMessageBox::Cancel << Answer::Cancel << yesNoCancelTexts;
    QTest::newRow("question 4, yes")
        << MessageKind::Question << 4 << QMessageBox::Warning << yesNoCancel << QMessageBox::No
        << QMessageBox::Yes << Answer::Yes << yesNoCancelTexts;
}

void QtHostTest::messageBox() {
    QFETCH(MessageKind, kind);
    QFETCH(int, questionKind);
    QFETCH(QMessageBox::Icon, icon);
    QFETCH(int, buttons);
    QFETCH(QMessageBox::StandardButton, defaultButton);
    QFETCH(QMessageBox::StandardButton, pressed);
    QFETCH(Answer, answer);
    QFETCH(QStringList, buttonTexts);

    struct Seen {
        bool found = false;
        QString caption, text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        int buttons = 0;
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
        QStringList buttonTexts;
    } seen;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen.found = true;
        seen.caption = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.buttons = int(box->standardButtons());
        seen.defaultButton = box->standardButton(box->defaultButton());
        for (QAbstractButton* button : box->buttons())
            seen.buttonTexts << button->text();
        seen.buttonTexts.sort();
        box->button(pressed)->click();
    });
    QtDialogHost host;
    QCOMPARE(host.message(Message{kind, "Titulek", "Zpráva", questionKind}), answer);
    QVERIFY(seen.found);
    QCOMPARE(seen.caption, QString("Titulek"));
    QCOMPARE(seen.text, QString("Zpráva"));
    QCOMPARE(seen.icon, icon);
    QCOMPARE(seen.buttons, buttons);
    QCOMPARE(seen.defaultButton, defaultButton);
    QCOMPARE(seen.buttonTexts, buttonTexts);
}

void QtHostTest::nameFilters_data() {
    QTest::addColumn<QString>("pipeFilter");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("export") << "Dokument XML|*.xml|Database CSV|*.csv"
                            << QStringList{"Dokument XML (*.xml)", "Database CSV (*.csv)"};
    QTest::newRow("several patterns")
        << "Šablony|*.fr3;*.xml" << QStringList{"Šablony (*.fr3 *.xml)"};
    QTest::newRow("dangling name") << "Vše|*.*|Zbytek" << QStringList{"Vše (*.*)"};
    QTest::newRow("empty") << "" << QStringList();
}

void QtHostTest::nameFilters() {
    QFETCH(QString, pipeFilter);
    QFETCH(QStringList, expected);
    QCOMPARE(qtNameFilters(pipeFilter), expected);
}

void QtHostTest::filterExtension_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("extension");
    QTest::newRow("xml") << "Dokument XML (*.xml)"
                         << "xml";
    QTest::newRow("first of several") << "Šablony (*.fr3 *.xml)"
                                      << "fr3";
    QTest::newRow("any file") << "Vše (*.*)"
                              << "";
    QTest::newRow("no pattern") << "Vše"
                                << "";
}

void QtHostTest::filterExtension() {
    QFETCH(QString, filter);
    QFETCH(QString, extension);
    QCOMPARE(dialogs::filterExtension(filter), extension);
}

void QtHostTest::saveFile_data() {
    QTest::addColumn<int>("chosenFilter"); // 1-based
    QTest::addColumn<QString>("typedName");
    QTest::addColumn<QString>("expectedName");
    QTest::newRow("XML, no extension typed") << 1 << "vystup"
                                             << "vystup.xml";
    QTest::newRow("CSV, no extension typed") << 2 << "vystup"
                                             << "vystup.csv";
    QTest::newRow("CSV, extension typed") << 2 << "vystup.txt"
                                          << "vystup.txt";
}

// The file dialog proposes the name and the first filter, and reports the chosen filter.
void QtHostTest::saveFile() {
    QFETCH(int, chosenFilter);
    QFETCH(QString, typedName);
    QFETCH(QString, expectedName);
    QTemporaryDir directory;
    QString proposedName;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        auto* types = dialog ? dialog->findChild<QComboBox*>("fileTypeCombo") : nullptr;
        auto* name = dialog ? dialog->findChild<QLineEdit*>("fileNameEdit") : nullptr;
        if (!types || !name) {
            if (dialog)
                dialog->reject();
            return;
        }
        proposedName = name->text();
        types->setCurrentIndex(chosenFilter - 1);
        // As a user choice does.
        emit types->activated(chosenFilter - 1);
        emit types->textActivated(types->currentText());
        name->setText(typedName);
        static_cast<QDialog*>(dialog)->accept();
    });
    SaveFileRequest request;
    request.filter = "Dokument XML|*.xml|Database CSV|*.csv";
    request.fileName = "FakturyDosle_20240315";
    request.defaultExtension = "xml";
    request.directory = directory.path();
    QtDialogHost host;
    QVERIFY(host.saveFile(request));
    QCOMPARE(proposedName, QString("FakturyDosle_20240315"));
    QCOMPARE(request.filterIndex, chosenFilter);
    QCOMPARE(request.fileName, directory.filePath(expectedName));
}

void QtHostTest::inputTextFiltersItsBox() {
    bool filtered = false;
    QString offered;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        auto* edit = dialog ? dialog->findChild<QLineEdit*>() : nullptr;
        if (edit) {
            filtered = qobject_cast<const Win1250Validator*>(edit->validator()) != nullptr;
            offered = edit->text();
            edit->setText("Nová šablona");
        }
        if (dialog)
            dialog->accept();
    });
    QtDialogHost host;
    QString value = "Sestava";
    QVERIFY(host.inputText("", "Název:", value));
    QVERIFY(filtered);
    QCOMPARE(offered, QString("Sestava"));
    QCOMPARE(value, QString("Nová šablona"));
}

void QtHostTest::cancelReadsStorno_data() {
    QTest::addColumn<bool>("saveDialog");
    QTest::newRow("save dialog") << true;
    QTest::newRow("name prompt") << false;
}

// As in every other dialog of the program.
void QtHostTest::cancelReadsStorno() {
    QFETCH(bool, saveDialog);
    QStringList captions;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        for (const QPushButton* button : dialog->findChildren<QPushButton*>())
            if (button->isVisible())
                captions << button->text().remove(u'&');
        dialog->reject();
    });
    QtDialogHost host;
    if (saveDialog) {
        SaveFileRequest request;
        request.filter = "Dokument XML|*.xml";
        QVERIFY(!host.saveFile(request));
    } else {
        QString value;
        QVERIFY(!host.inputText("", "Název:", value));
    }
    QVERIFY2(captions.contains("Storno"), qPrintable(captions.join(", ")));
    QVERIFY2(!captions.contains("Zrušit"), qPrintable(captions.join(", ")));
}

QTEST_MAIN(QtHostTest)
#include "test_dialogs_qthost.moc"
