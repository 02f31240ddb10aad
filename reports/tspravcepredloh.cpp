#include "reports/tspravcepredloh.h"

#include "dialogs/dialogy.h"
#include "reports/templatedirectory.h"
#include "reports/templatename.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>

namespace {

enum Column { NumberColumn, NameColumn, FileColumn };

QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QString& hint,
                    int left) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(hint);
    b->setGeometry(left, 336, 75, 25);
    b->setAutoDefault(false);
    return b;
}

} // namespace

TSpravcePredloh::TSpravcePredloh(const QString& templateDir, TemplateEditor editor, QWidget* parent)
    : QDialog(parent), templateDir_(templateDir), editor_(std::move(editor)) {
    setObjectName(QStringLiteral("TSpravcePredloh"));
    setWindowTitle(QStringLiteral("Správa předloh"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(465, 375);

    ListView1 = new QTreeWidget(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setGeometry(8, 8, 449, 313);
    ListView1->setRootIsDecorated(false);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setHeaderLabels({QStringLiteral("Číslo"), QStringLiteral("Název sestavy"),
                                QStringLiteral("Soubor předlohy")});
    ListView1->header()->setSectionsClickable(false);
    ListView1->header()->setStretchLastSection(false);
    ListView1->setColumnWidth(NumberColumn, 35);
    ListView1->setColumnWidth(NameColumn, 260);
    ListView1->setColumnWidth(FileColumn, 120);
    ListView1->viewport()->installEventFilter(this);

    Tl_Odstranit = button(this, "Tl_Odstranit", QStringLiteral("Odstranit"),
                          QStringLiteral("Odstraní soubor předlohy"), 24);
    Tl_Odstranit->setEnabled(false);
    Tl_Upravit = button(this, "Tl_Upravit", QStringLiteral("Upravit"),
                        QStringLiteral("Otevře předlohu v návrháři sestav"), 104);
    Tl_Upravit->setEnabled(false);
    Tl_Storno = button(this, "Tl_Storno", QStringLiteral("Storno"),
                       QStringLiteral("Stornuje formulář"), 368);
    connect(Tl_Odstranit, &QPushButton::clicked, this, &TSpravcePredloh::Tl_OdstranitClick);
    connect(Tl_Upravit, &QPushButton::clicked, this, &TSpravcePredloh::Tl_UpravitClick);
    connect(Tl_Storno, &QPushButton::clicked, this, &QDialog::reject);
    connect(ListView1, &QTreeWidget::itemSelectionChanged, this, &TSpravcePredloh::ListView1Click);

    FillTemplateList(templateDir_);
    listedCount_ = rowCount();
}

int TSpravcePredloh::rowCount() const {
    return ListView1->topLevelItemCount();
}

void TSpravcePredloh::FillTemplateList(const QString& directory) {
    QStringList errors;
    int position = 0;
    for (const QString& fileName : reports::templateFileNames(directory)) {
        QString error;
        const QString name = reports::ReadTemplateName(directory + fileName, &error);
        if (!error.isEmpty())
            errors << error;
        // An unreadable file is listed all the same, so that it can be deleted.
        new QTreeWidgetItem(ListView1, {QString::number(++position) + u'.', name, fileName});
        QCoreApplication::processEvents();
    }
    if (!errors.isEmpty())
        dialogs::ShowError(errors.join(u'\n'));
}

bool TSpravcePredloh::eventFilter(QObject* watched, QEvent* event) {
    // A double click anywhere in the list, on a row or not, acts as "Odstranit".
    if (watched == ListView1->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        Tl_OdstranitClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TSpravcePredloh::ListView1Click() {
    Tl_Odstranit->setEnabled(!ListView1->selectedItems().isEmpty());
    Tl_Upravit->setEnabled(!ListView1->selectedItems().isEmpty());
}

void TSpravcePredloh::Tl_UpravitClick() {
    if (ListView1->selectedItems().isEmpty() || !editor_)
        return;
    QTreeWidgetItem* row = ListView1->selectedItems().constFirst();
    const QString path = templateDir_ + row->text(FileColumn);
    if (!editor_(path, row->text(NameColumn)))
        return;
    templatesEdited_ = true;
    QString error;
    const QString name = reports::ReadTemplateName(path, &error);
    if (error.isEmpty())
        row->setText(NameColumn, name);
}

void TSpravcePredloh::Tl_OdstranitClick() {
    if (ListView1->selectedItems().isEmpty()) {
        dialogs::ShowInfo(QStringLiteral("Není vybrán žádný soubor předlohy!"));
        return;
    }
    if (dialogs::AskQuestion(
            QString(),
            QStringLiteral("Opravdu chcete soubor předlohy pro vybranou sestavu odstranit?"),
            2) == dialogs::Answer::No)
        return;
    if (!deleteSelectedFile())
        return;
    // The remaining rows keep their numbers and the button its state.
    const bool enabled = Tl_Odstranit->isEnabled();
    delete ListView1->selectedItems().constFirst();
    ListView1->clearSelection();
    Tl_Odstranit->setEnabled(enabled);
}

bool TSpravcePredloh::deleteSelectedFile() {
    // A file that has gone or cannot be deleted keeps its row; the list says nothing more.
    QFile file(templateDir_ + ListView1->selectedItems().constFirst()->text(FileColumn));
    return file.exists() && file.remove();
}
