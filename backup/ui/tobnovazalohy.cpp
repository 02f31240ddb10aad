#include "backup/ui/tobnovazalohy.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

enum Column { FileColumn, DateColumn, ReceivedColumn, IssuedColumn };

QString rowsText(qint64 rows) {
    return rows < 0 ? QStringLiteral("?") : QString::number(rows);
}

} // namespace

TObnovaZalohy::TObnovaZalohy(const QString& folder, const QList<backup::BackupFile>& backups,
                             QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("TObnovaZalohy"));
    setWindowTitle(QStringLiteral("Obnovit ze zálohy"));
    resize(600, 360);
    auto* layout = new QVBoxLayout(this);
    auto* caption = new QLabel(
        QStringLiteral("Zálohy ve složce %1:").arg(QDir::toNativeSeparators(folder)), this);
    caption->setObjectName(QStringLiteral("La_Slozka"));
    caption->setWordWrap(true);
    layout->addWidget(caption);

    LV_Zalohy = new QTreeWidget(this);
    LV_Zalohy->setObjectName(QStringLiteral("LV_Zalohy"));
    LV_Zalohy->setRootIsDecorated(false);
    LV_Zalohy->setSelectionMode(QAbstractItemView::SingleSelection);
    LV_Zalohy->setHeaderLabels({QStringLiteral("Záloha"), QStringLiteral("Datum"),
                                QStringLiteral("Došlé faktury"),
                                QStringLiteral("Odeslané faktury")});
    LV_Zalohy->header()->setSectionsClickable(false);
    LV_Zalohy->setColumnWidth(FileColumn, 220);
    LV_Zalohy->setColumnWidth(DateColumn, 140);
    layout->addWidget(LV_Zalohy, 1);

    auto* note = new QLabel(
        QStringLiteral("Před obnovou se současná databáze uloží jako další záloha."), this);
    layout->addWidget(note);
    auto* buttons = new QDialogButtonBox(this);
    Tl_Obnovit = buttons->addButton(QStringLiteral("Obnovit"), QDialogButtonBox::AcceptRole);
    Tl_Obnovit->setObjectName(QStringLiteral("Tl_Obnovit"));
    Tl_Obnovit->setEnabled(false);
    Tl_Storno = buttons->addButton(QStringLiteral("Storno"), QDialogButtonBox::RejectRole);
    Tl_Storno->setObjectName(QStringLiteral("Tl_Storno"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(LV_Zalohy, &QTreeWidget::itemSelectionChanged, this,
            [this] { Tl_Obnovit->setEnabled(!selectedPath().isEmpty()); });
    connect(LV_Zalohy, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);
    fill(backups);
}

void TObnovaZalohy::fill(const QList<backup::BackupFile>& backups) {
    for (const backup::BackupFile& backup : backups) {
        auto* item = new QTreeWidgetItem(LV_Zalohy,
                                         {QFileInfo(backup.path).fileName(),
                                          backup.time.toString(QStringLiteral("d.M.yyyy H:mm:ss")),
                                          rowsText(backup.received), rowsText(backup.issued)});
        item->setData(FileColumn, Qt::UserRole, backup.path);
        item->setTextAlignment(ReceivedColumn, Qt::AlignRight | Qt::AlignVCenter);
        item->setTextAlignment(IssuedColumn, Qt::AlignRight | Qt::AlignVCenter);
        // A file that cannot be restored says why; choosing it gives the same reason.
        for (int column = FileColumn; column <= IssuedColumn; ++column)
            item->setToolTip(column, backup.problem);
    }
}

QString TObnovaZalohy::selectedPath() const {
    const QList<QTreeWidgetItem*> selected = LV_Zalohy->selectedItems();
    return selected.isEmpty() ? QString()
                              : selected.first()->data(FileColumn, Qt::UserRole).toString();
}
