// The designer window driven as a user drives it: a field dragged from the tree into the
// data band, keys that move and size the selection, the property panel, undo, and the
// question on closing with unsaved changes.

#include "orvex/designer/designerscene.h"
#include "orvex/designer/designerview.h"
#include "orvex/designer/designerwindow.h"
#include "orvex/designer/fieldcatalog.h"
#include "orvex/designer/fieldtree.h"
#include "orvex/designer/propertypanel.h"
#include "orvex/designer/templatedocument.h"
#include "orvex/designerfixtures.h"

#include <QDoubleSpinBox>
#include <QMessageBox>
#include <QMimeData>
#include <QTemporaryDir>
#include <QtTest>

using namespace orvex::designer;
using designerfixtures::findNamed;

namespace {

// Attributes keep five decimals.
bool near(double a, double b) {
    return qAbs(a - b) < 1e-4;
}

// The designer on a copy of the shipped book listing.
struct Fixture {
    QTemporaryDir dir;
    QString path = dir.filePath("Kniha_faktur.fr3");
    std::unique_ptr<DesignerWindow> window;

    Fixture() {
        QFile::copy(LUMIRA_SOURCE_DIR "/Ses/Kniha_faktur.fr3", path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        DesignerContext context;
        context.parameters = {{"TypProstredi", "1"}, {"Datum1", "Vystaveno"}};
        window = std::make_unique<DesignerWindow>(path, context);
        QString error;
        if (!window->open(&error))
            qFatal("%s", qPrintable(error));
        window->show();
        settle();
    }

    static void settle() {
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }

    QWidget* viewport() const { return window->pageView()->view()->viewport(); }
    XmlNode* node(const QString& name) const {
        return findNamed(window->document()->report(), name);
    }

    // The viewport point of a point given in band pixels.
    QPoint inBand(const QString& band, const QPointF& at) const {
        const QRectF body = window->scene()->bandBody(node(band));
        return window->pageView()->view()->mapFromScene(body.topLeft() + at);
    }

    void select(const QString& name) {
        window->scene()->selectNodes({node(name)});
        settle();
    }
};

} // namespace

class TestDesignerWindow : public QObject {
    Q_OBJECT

private slots:
    void fieldDraggedIntoTheDataBandIsSaved() {
        Fixture f;
        FieldTree* tree = f.window->fieldTree();
        QTreeWidgetItem* item = tree->findEntry("Odběratel"); // the issued book's caption
        QVERIFY(item);
        tree->setCurrentItem(tree->findEntry("Specifikace"));
        std::unique_ptr<QMimeData> mime(tree->model()->mimeData({tree->currentIndex()}));
        QVERIFY(mime);
        const QPoint target = f.inBand("MasterData1", QPointF(300, 2));
        QDragEnterEvent enter(target, Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(f.viewport(), &enter);
        QDragMoveEvent move(target, Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(f.viewport(), &move);
        QVERIFY(move.isAccepted());
        QDropEvent drop(target, Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(f.viewport(), &drop);
        f.settle();
        QVERIFY(f.window->document()->isModified());
        QVERIFY(f.window->windowTitle().endsWith(" *"));
        QTest::keyClick(f.window.get(), Qt::Key_S, Qt::ControlModifier);
        QVERIFY(!f.window->document()->isModified());

        TemplateDocument saved;
        QString error;
        QVERIFY(saved.load(fileBytes(f.path), &error));
        XmlNode* memo = findNamed(saved.report(), "Memo1");
        QVERIFY(memo);
        QCOMPARE(memo->parent->attribute("Name"), QString("MasterData1"));
        QCOMPARE(memo->attribute("Text"), QString("[Kniha.\"Specifikace\"]"));
        // Dropped where the mouse let go, on the 2 mm grid.
        const double grid = 2 * 96 / 25.4;
        QVERIFY(near(numberAttribute(memo, "Left"), qRound(300 / grid) * grid));
        QVERIFY(fileBytes(f.path).contains("Text=\"[Kniha.&#34;Specifikace&#34;]\""));
    }

    void keysMoveAndSizeTheSelection() {
        Fixture f;
        f.select("Radek2");
        XmlNode* memo = f.node("Radek2");
        const QString left = memo->attribute("Left");
        const QString height = memo->attribute("Height");
        f.window->pageView()->view()->setFocus();
        QTest::keyClick(f.viewport(), Qt::Key_Right);
        QTest::keyClick(f.viewport(), Qt::Key_Down, Qt::ShiftModifier);
        f.settle();
        const double grid = 2 * 96 / 25.4;
        QVERIFY(near(numberAttribute(memo, "Left"), left.toDouble() + grid));
        QVERIFY(near(numberAttribute(memo, "Height"), height.toDouble() + grid));
        QCOMPARE(f.window->scene()->selectedNodes(), QVector<XmlNode*>{memo});
        QTest::keyClick(f.window.get(), Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(f.window.get(), Qt::Key_Z, Qt::ControlModifier);
        f.settle();
        QCOMPARE(memo->attribute("Left"), left);
        QCOMPARE(memo->attribute("Height"), height);
        QVERIFY(!f.window->document()->isModified());
    }

    void propertyPanelChangesAtOnce() {
        Fixture f;
        f.select("Radek8");
        const QString original = f.node("Radek8")->attribute("Left");
        const double shown = qRound(original.toDouble() / (96 / 25.4) * 100) / 100.0;
        auto* left = qobject_cast<QDoubleSpinBox*>(f.window->propertyPanel()->editor("Vlevo"));
        QVERIFY(left);
        QCOMPARE(left->value(), shown); // millimetres, for pixels in the file
        left->setValue(100);
        f.settle();
        QCOMPARE(f.node("Radek8")->attribute("Left"), QString("377,95276"));
        f.window->document()->undoStack()->undo();
        f.settle();
        QCOMPARE(f.node("Radek8")->attribute("Left"), original);
        QCOMPARE(left->value(), shown); // 714 px
    }

    void copiedObjectsArePastedUnderNewNames() {
        Fixture f;
        f.select("Radek2");
        const QString name = f.window->document()->uniqueName("Radek");
        QVERIFY(!f.node(name));
        f.window->copySelection();
        f.window->paste();
        f.settle();
        XmlNode* copy = f.node(name);
        QVERIFY(copy);
        QCOMPARE(copy->parent, f.node("MasterData1"));
        QCOMPARE(copy->attribute("Text"), f.node("Radek2")->attribute("Text"));
        QVERIFY(near(numberAttribute(copy, "Left"),
                     numberAttribute(f.node("Radek2"), "Left") + 4 * 96 / 25.4));
        QCOMPARE(f.window->scene()->selectedNodes(), QVector<XmlNode*>{copy});
        f.window->document()->undoStack()->undo();
        QVERIFY(!f.node(name));
        QVERIFY(!f.window->document()->isModified());
    }

    // A new group asks for its condition among the book's columns; cancelling adds nothing.
    void groupHeaderTakesTheChosenCondition() {
        Fixture f;
        QStringList offered;
        QString answer;
        f.window->askGroupCondition = [&](const QVector<FieldEntry>& fields) {
            for (const FieldEntry& field : fields)
                offered << field.caption;
            return answer;
        };
        f.window->addBand("TfrxGroupHeader");
        QVERIFY(!f.window->document()->isModified());
        QCOMPARE(offered.size(), 16);
        QVERIFY(offered.contains("Odběratel") && offered.contains("Vystaveno"));
        answer = "Kniha.\"ICO\"";
        f.window->addBand("TfrxGroupHeader");
        f.settle();
        XmlNode* group = f.node("GroupHeader1");
        QVERIFY(group);
        QCOMPARE(group->attribute("Condition"), answer);
        const QVector<XmlNode*> bands = f.window->document()->bands();
        QCOMPARE(bands.indexOf(group) + 1, bands.indexOf(f.node("MasterData1")));
    }

    void closingAsksAboutUnsavedChanges_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<bool>("saved");
        QTest::newRow("Ano") << int(QMessageBox::Yes) << true << true;
        QTest::newRow("Ne") << int(QMessageBox::No) << true << false;
        QTest::newRow("Storno") << int(QMessageBox::Cancel) << false << false;
    }

    void closingAsksAboutUnsavedChanges() {
        QFETCH(int, answer);
        QFETCH(bool, closed);
        QFETCH(bool, saved);
        Fixture f;
        const QByteArray before = fileBytes(f.path);
        int asked = 0;
        f.window->askToSave = [&] {
            ++asked;
            return answer;
        };
        f.select("Radek2");
        f.window->scene()->deleteSelection();
        f.window->close();
        QCOMPARE(asked, 1);
        QCOMPARE(f.window->isVisible(), !closed);
        QCOMPARE(fileBytes(f.path) != before, saved);
        QCOMPARE(fileBytes(f.path).contains("Radek2"), !saved);
    }

    void closingWithoutChangesAsksNothing() {
        Fixture f;
        int asked = 0;
        f.window->askToSave = [&] { return ++asked, int(QMessageBox::Cancel); };
        f.select("Radek2");
        f.window->scene()->nudgeSelection(1, 0, false);
        f.window->document()->undoStack()->undo();
        f.window->close();
        QCOMPARE(asked, 0);
        QVERIFY(!f.window->isVisible());
    }
};

QTEST_MAIN(TestDesignerWindow)
#include "test_designer_window.moc"
