#include "orvex/designer/designerwindow.h"

#include "orvex/designer/bands.h"
#include "orvex/designer/designerscene.h"
#include "orvex/designer/designerview.h"
#include "orvex/designer/fieldtree.h"
#include "orvex/designer/objectfactory.h"
#include "orvex/designer/propertypanel.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QSplitter>
#include <QTemporaryFile>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace orvex::designer {

namespace {

const QString caption = QStringLiteral("Návrhář sestav");
const char* const objectsMimeType = "application/x-orvex-objects";
const double zoomSteps[] = {0.5, 0.75, 1.0, 1.25, 1.5, 2.0};

void addMenuButton(QToolBar* bar, const QString& text, QMenu* menu) {
    auto* button = new QToolButton(bar);
    button->setText(text);
    button->setMenu(menu);
    button->setPopupMode(QToolButton::InstantPopup);
    bar->addWidget(button);
}

// A pasted object's name: its stem with the lowest free number.
QString nameStem(const QString& name) {
    QString stem = name;
    stem.remove(QRegularExpression(QStringLiteral("\\d+$")));
    return stem.isEmpty() ? QStringLiteral("Objekt") : stem;
}

} // namespace

DesignerWindow::DesignerWindow(const QString& path, DesignerContext context, QWidget* parent)
    : QDialog(parent), path_(path), context_(std::move(context)),
      document_(new TemplateDocument(this)) {
    askToSave = [this] { return defaultAskToSave(); };
    askGroupCondition = [this](const QVector<FieldEntry>& fields) {
        return defaultAskGroupCondition(fields);
    };
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    scene_ = new DesignerScene(document_, this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildToolBar(layout);
    auto* splitter = new QSplitter(this);
    fields_ = new FieldTree(splitter);
    view_ = new DesignerView(scene_, splitter);
    auto* panelScroll = new QScrollArea(splitter);
    panel_ = new PropertyPanel(document_);
    panelScroll->setWidget(panel_);
    panelScroll->setWidgetResizable(true);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({210, 760, 310});
    layout->addWidget(splitter, 1);
    connect(document_->undoStack(), &QUndoStack::cleanChanged, this, &DesignerWindow::updateTitle);
    connect(document_, &TemplateDocument::changed, this, &DesignerWindow::updateTitle);
    connect(scene_, &QGraphicsScene::selectionChanged, this, &DesignerWindow::updatePanel);
    connect(scene_, &DesignerScene::rebuilt, this, &DesignerWindow::updatePanel);
    connect(fields_, &FieldTree::entryActivated, this, &DesignerWindow::insertIntoBand);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    resize(qMin(1280, screen.width()), qMin(860, screen.height() - 40));
}

DesignerWindow::~DesignerWindow() {
    disconnect(scene_, nullptr, this, nullptr);
    disconnect(document_, nullptr, this, nullptr);
    disconnect(document_->undoStack(), nullptr, this, nullptr);
}

bool DesignerWindow::open(QString* error) {
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("Předlohu „%1“ nelze otevřít: %2").arg(path_, file.errorString());
        return false;
    }
    QString reason;
    if (!document_->load(file.readAll(), &reason)) {
        *error = QStringLiteral("Předlohu „%1“ nelze přečíst: %2").arg(path_, reason);
        return false;
    }
    updateTitle();
    return true;
}

void DesignerWindow::buildToolBar(QLayout* layout) {
    auto* bar = new QToolBar(this);
    bar->addAction(QStringLiteral("Uložit"), this, &DesignerWindow::save)
        ->setShortcut(QKeySequence::Save);
    QAction* previewAction =
        bar->addAction(QStringLiteral("Náhled"), this, &DesignerWindow::preview);
    previewAction->setShortcut(Qt::Key_F5);
    previewAction->setEnabled(bool(context_.preview));
    bar->addSeparator();
    // Fixed captions keep the tool bar still; the step's name is in the tool tip.
    QUndoStack* stack = document_->undoStack();
    QAction* undo = bar->addAction(QStringLiteral("Zpět"), stack, &QUndoStack::undo);
    undo->setShortcut(QKeySequence::Undo);
    undo->setEnabled(false);
    connect(stack, &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
    connect(stack, &QUndoStack::undoTextChanged, undo, &QAction::setToolTip);
    QAction* redo = bar->addAction(QStringLiteral("Znovu"), stack, &QUndoStack::redo);
    redo->setShortcut(QKeySequence::Redo);
    redo->setEnabled(false);
    connect(stack, &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
    connect(stack, &QUndoStack::redoTextChanged, redo, &QAction::setToolTip);
    bar->addSeparator();
    bar->addAction(QStringLiteral("Kopírovat"), this, &DesignerWindow::copySelection)
        ->setShortcut(QKeySequence::Copy);
    bar->addAction(QStringLiteral("Vložit"), this, &DesignerWindow::paste)
        ->setShortcut(QKeySequence::Paste);
    bar->addAction(QStringLiteral("Odstranit"), this, [this] { scene_->deleteSelection(); })
        ->setShortcut(QKeySequence::Delete);
    bar->addSeparator();
    addMenuButton(bar, QStringLiteral("Pásy"), bandMenu());
    addMenuButton(bar, QStringLiteral("Objekty"), objectMenu());
    addMenuButton(bar, QStringLiteral("Zarovnat"), alignMenu());
    QAction* snap = bar->addAction(QStringLiteral("Mřížka"));
    snap->setCheckable(true);
    snap->setChecked(true);
    snap->setToolTip(QStringLiteral("Přichytávat objekty k mřížce (2 mm)"));
    connect(snap, &QAction::toggled, this, [this](bool on) { scene_->setSnapToGrid(on); });
    zoomBox_ = new QComboBox(bar);
    zoomBox_->setToolTip(QStringLiteral("Lupa"));
    for (double step : zoomSteps)
        zoomBox_->addItem(QStringLiteral("%1 %").arg(qRound(step * 100)), step);
    zoomBox_->setCurrentIndex(2);
    connect(zoomBox_, &QComboBox::currentIndexChanged, this,
            [this](int index) { view_->setZoom(zoomBox_->itemData(index).toDouble()); });
    bar->addWidget(zoomBox_);
    bar->addSeparator();
    bar->addAction(QStringLiteral("Zavřít"), this, &QDialog::reject);
    layout->addWidget(bar);
}

QMenu* DesignerWindow::bandMenu() {
    auto* menu = new QMenu(this);
    QMenu* add = menu->addMenu(QStringLiteral("Přidat pás"));
    for (const BandType& type : bandTypes()) {
        const QString name = type.type;
        add->addAction(type.caption, this, [this, name] { addBand(name); });
    }
    menu->addAction(QStringLiteral("Posunout nahoru"), this, [this] {
        if (XmlNode* band = scene_->selectedBand())
            moveBand(*document_, band, -1);
    });
    menu->addAction(QStringLiteral("Posunout dolů"), this, [this] {
        if (XmlNode* band = scene_->selectedBand())
            moveBand(*document_, band, 1);
    });
    menu->addAction(QStringLiteral("Odstranit pás"), this, [this] {
        if (XmlNode* band = scene_->selectedBand())
            removeBand(*document_, band);
    });
    return menu;
}

QMenu* DesignerWindow::objectMenu() {
    auto* menu = new QMenu(this);
    const std::pair<const char*, NewObject> kinds[] = {
        {"Text", NewObject::Text},          {"Čára", NewObject::Line},
        {"Obdélník", NewObject::Rectangle}, {"Zaoblený obdélník", NewObject::RoundRectangle},
        {"Elipsa", NewObject::Ellipse},     {"Čárový kód", NewObject::Barcode},
        {"QR kód", NewObject::QrCode}};
    for (const auto& [text, kind] : kinds) {
        const int value = int(kind);
        menu->addAction(QString::fromUtf8(text), this, [this, value] { addObject(value); });
    }
    menu->addAction(QStringLiteral("Obrázek ze souboru..."), this, [this] {
        const QString file = QFileDialog::getOpenFileName(
            this, QStringLiteral("Obrázek"), QString(),
            QStringLiteral("Obrázky (*.png *.jpg *.jpeg *.bmp *.gif)"));
        if (!file.isEmpty())
            addPicture(file);
    });
    return menu;
}

QMenu* DesignerWindow::alignMenu() {
    auto* menu = new QMenu(this);
    const char* const texts[] = {"Levé okraje",  "Pravé okraje", "Horní okraje",
                                 "Dolní okraje", "Stejná šířka", "Stejná výška"};
    for (int i = 0; i < 6; ++i)
        menu->addAction(QString::fromUtf8(texts[i]), this, [this, i] { alignSelection(i); });
    return menu;
}

void DesignerWindow::updateTitle() {
    const QString name = document_->report()
                             ? document_->report()->attribute(QStringLiteral("ReportOptions.Name"))
                             : QString();
    setWindowTitle(QStringLiteral("%1 – %2 (%3)%4")
                       .arg(caption, name, QFileInfo(path_).fileName(),
                            document_->isModified() ? QStringLiteral(" *") : QString()));
    if (!document_->report())
        return;
    const QVector<FieldGroup> catalog =
        fieldCatalog(dataSetName(*document_), masterBandName(*document_), context_.parameters);
    const QString signature = dataSetName(*document_) + u'|' + masterBandName(*document_);
    if (fields_->property("signature").toString() != signature) {
        fields_->setCatalog(catalog);
        fields_->setProperty("signature", signature);
    }
}

QVector<FieldEntry> DesignerWindow::bookFields() const {
    return fieldCatalog(dataSetName(*document_), masterBandName(*document_), context_.parameters)
        .first()
        .entries;
}

void DesignerWindow::updatePanel() {
    if (scene_->isRebuilding() || !document_->report())
        return;
    // Objects before their band: a band caught by a rubber band is not edited with them.
    QVector<XmlNode*> nodes = scene_->selectedObjects();
    if (nodes.isEmpty() && scene_->selectedBand())
        nodes << scene_->selectedBand();
    if (nodes.isEmpty())
        nodes << document_->page();
    QStringList conditions;
    for (const FieldEntry& field : bookFields())
        conditions << field.expression;
    panel_->setTargets(nodes, conditions);
}

void DesignerWindow::insertIntoBand(const FieldEntry& entry) {
    XmlNode* band = scene_->targetBand();
    if (!band)
        return;
    XmlNodePtr memo = createFieldMemo(*document_, entry, QPointF(0, 0));
    XmlNode* raw = memo.get();
    document_->insertElement(band, -1, memo, QStringLiteral("Vložení pole"));
    scene_->rebuild();
    scene_->selectNodes({raw});
}

void DesignerWindow::addObject(int kind) {
    XmlNode* band = scene_->targetBand();
    if (!band) {
        QMessageBox::information(
            this, caption, QStringLiteral("Nejprve přidejte pás, do kterého objekt vložíte."));
        return;
    }
    XmlNodePtr element = createObject(*document_, NewObject(kind), QPointF(0, 0));
    XmlNode* raw = element.get();
    document_->insertElement(band, -1, element, QStringLiteral("Vložení objektu"));
    scene_->rebuild();
    scene_->selectNodes({raw});
}

void DesignerWindow::addPicture(const QString& file) {
    const QImage image(file);
    XmlNode* band = scene_->targetBand();
    if (image.isNull() || !band) {
        QMessageBox::warning(this, caption,
                             image.isNull()
                                 ? QStringLiteral("Obrázek „%1“ nelze načíst.").arg(file)
                                 : QStringLiteral("Nejprve přidejte pás, do kterého obrázek "
                                                  "vložíte."));
        return;
    }
    XmlNodePtr picture = createPicture(*document_, image, QPointF(0, 0));
    XmlNode* raw = picture.get();
    document_->insertElement(band, -1, picture, QStringLiteral("Vložení obrázku"));
    scene_->rebuild();
    scene_->selectNodes({raw});
}

void DesignerWindow::addBand(const QString& type) {
    QString condition;
    if (type == QLatin1String("TfrxGroupHeader")) {
        condition = askGroupCondition(bookFields());
        if (condition.isEmpty())
            return;
    }
    XmlNode* band = designer::addBand(*document_, type, scene_->targetBand(), condition);
    scene_->rebuild();
    scene_->selectNodes({band});
}

void DesignerWindow::copySelection() {
    const QVector<XmlNode*> objects = scene_->selectedObjects();
    if (objects.isEmpty())
        return;
    QByteArray xml = "<Objekty>";
    for (const XmlNode* object : objects)
        xml += writeElement(*object);
    xml += "</Objekty>";
    auto* data = new QMimeData;
    data->setData(QLatin1String(objectsMimeType), xml);
    data->setText(QString::fromUtf8(xml));
    QApplication::clipboard()->setMimeData(data);
}

void DesignerWindow::paste() {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    XmlDocument pasted;
    XmlNode* band = scene_->targetBand();
    if (!band || !data || !data->hasFormat(QLatin1String(objectsMimeType)) ||
        !readXml(data->data(QLatin1String(objectsMimeType)), pasted, nullptr))
        return;
    const double offset = 2 * scene_->gridStep();
    QVector<XmlNode*> inserted;
    document_->beginStep(QStringLiteral("Vložení"));
    for (const XmlNode* source : pasted.root->childElements()) {
        XmlNodePtr copy = source->clone();
        copy->setAttribute(QStringLiteral("Name"), document_->uniqueName(nameStem(
                                                       source->attribute(QStringLiteral("Name")))));
        for (const char* key : {"Left", "Top"})
            copy->setAttribute(
                QLatin1String(key),
                formatNumber(numberAttribute(copy.get(), QLatin1String(key)) + offset));
        inserted << copy.get();
        document_->insertElement(band, -1, copy, QStringLiteral("Vložení"));
    }
    document_->endStep();
    scene_->rebuild();
    scene_->selectNodes(inserted);
}

void DesignerWindow::alignSelection(int how) {
    const XmlNode* measure = scene_->primaryObject();
    if (!measure)
        return;
    const auto value = [](const XmlNode* e, const char* key) {
        return numberAttribute(e, QLatin1String(key));
    };
    const double left = value(measure, "Left");
    const double top = value(measure, "Top");
    const double width = value(measure, "Width");
    const double height = value(measure, "Height");
    document_->beginStep(QStringLiteral("Zarovnání"));
    for (XmlNode* e : scene_->selectedObjects()) {
        const std::pair<const char*, double> changes[] = {
            {"Left", left},   {"Left", left + width - value(e, "Width")},
            {"Top", top},     {"Top", top + height - value(e, "Height")},
            {"Width", width}, {"Height", height}};
        const auto& [key, number] = changes[how];
        document_->setAttributes(e, {{QLatin1String(key), formatNumber(number)}},
                                 QStringLiteral("Zarovnání"));
    }
    document_->endStep();
}

void DesignerWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (zoomChosen_)
        return;
    zoomChosen_ = true;
    // The whole width of the paper in sight: the largest zoom step that fits.
    QTimer::singleShot(0, this, [this] {
        const double room = view_->view()->viewport()->width();
        int index = 0;
        for (int i = 0; i < zoomBox_->count(); ++i) {
            if (scene_->sceneRect().width() * zoomBox_->itemData(i).toDouble() <= room)
                index = i;
        }
        zoomBox_->setCurrentIndex(qMin(index, 2));
        view_->setZoom(zoomBox_->itemData(zoomBox_->currentIndex()).toDouble());
    });
}

bool DesignerWindow::save() {
    QString error;
    if (!document_->save(path_, &error)) {
        QMessageBox::critical(this, caption,
                              QStringLiteral("Předlohu „%1“ nelze uložit: %2").arg(path_, error));
        return false;
    }
    wasSaved_ = true;
    updateTitle();
    return true;
}

void DesignerWindow::preview() {
    if (!context_.preview)
        return;
    // Beside the template, so that what it refers to by relative paths is found.
    QTemporaryFile file(QFileInfo(path_).absolutePath() + QStringLiteral("/.nahled_XXXXXX.fr3"));
    if (!file.open()) {
        file.setFileTemplate(QDir::tempPath() + QStringLiteral("/nahled_XXXXXX.fr3"));
        if (!file.open()) {
            QMessageBox::critical(
                this, caption,
                QStringLiteral("Náhled nelze připravit: %1").arg(file.errorString()));
            return;
        }
    }
    file.write(document_->toBytes());
    file.close();
    context_.preview(file.fileName(),
                     document_->report()->attribute(QStringLiteral("ReportOptions.Name")));
}

void DesignerWindow::done(int result) {
    if (document_->isModified()) {
        const int answer = askToSave();
        if (answer == QMessageBox::Cancel || (answer == QMessageBox::Yes && !save()))
            return;
    }
    QDialog::done(result);
}

int DesignerWindow::defaultAskToSave() {
    QMessageBox box(QMessageBox::Question, caption, QStringLiteral("Uložit změny v předloze?"),
                    QMessageBox::NoButton, this);
    QPushButton* yes = box.addButton(QStringLiteral("Ano"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("Ne"), QMessageBox::NoRole);
    box.addButton(QStringLiteral("Storno"), QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.exec();
    if (box.clickedButton() == yes)
        return QMessageBox::Yes;
    return box.clickedButton() == no ? QMessageBox::No : QMessageBox::Cancel;
}

QString DesignerWindow::defaultAskGroupCondition(const QVector<FieldEntry>& fields) {
    QStringList captions;
    for (const FieldEntry& field : fields)
        captions << field.caption;
    bool ok = false;
    const QString chosen =
        QInputDialog::getItem(this, QStringLiteral("Záhlaví skupiny"),
                              QStringLiteral("Seskupit řádky podle:"), captions, 1, false, &ok);
    for (const FieldEntry& field : fields) {
        if (ok && field.caption == chosen)
            return field.expression;
    }
    return QString();
}

} // namespace orvex::designer
