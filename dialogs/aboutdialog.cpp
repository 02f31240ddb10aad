#include "dialogs/aboutdialog.h"

#include "dialogs/dialoghost.h"
#include "dialogs/linklabel.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

namespace dialogs {

namespace {

constexpr int firstRowTop = 16;
constexpr int rowStep = 24;
constexpr int captionLeft = 80;
constexpr int captionGap = 6;
constexpr int buttonLeft = 376;
constexpr int buttonBelowLastRow = 28;
constexpr int heightBelowLastRow = 93;

// The dialog's font, made smaller when needed so that the widest bold caption ends before the
// value column, whatever the platform font is.
QFont fittingFont(QFont font, const QStringList& captions, int width) {
    font.setBold(true);
    const auto widest = [&font, &captions] {
        int result = 0;
        for (const QString& caption : captions)
            result = std::max(result, QFontMetrics(font).horizontalAdvance(caption));
        return result;
    };
    while (widest() > width && font.pointSizeF() > 6)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    font.setBold(false);
    return font;
}

QLabel* valueLabel(const char* name, const QString& text) {
    auto* label = new QLabel(text);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

} // namespace

const QSize AboutDialog::frameAllowance(6, 28);

QString homeHost() {
    return QStringLiteral("www.lumira.cz");
}

AboutDialog::AboutDialog(const QString& version, const QString& releaseDate,
                         const QString& reportModule, QWidget* parent, const QString& dataFolder,
                         const QString& backupFolder)
    : QDialog(parent) {
    setObjectName(QStringLiteral("TOProgramu"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    setWindowTitle(QStringLiteral("O programu ") + applicationTitle());
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    const bool withReportModule = !reportModule.isEmpty();
    const int valueLeft = withReportModule ? 240 : 216;
    const QStringList captions = {QStringLiteral("Verze programu:"),
                                  QStringLiteral("Verze tiskového modulu:"),
                                  QStringLiteral("Domovská stránka:")};
    const QStringList folderCaptions = {QStringLiteral("Data programu:"),
                                        QStringLiteral("Zálohy:")};
    setFont(fittingFont(font(),
                        (withReportModule ? captions : captions.mid(0, 1) + captions.mid(2)) +
                            (dataFolder.isEmpty() ? QStringList() : folderCaptions),
                        valueLeft - captionLeft - captionGap));
    int top = firstRowTop;
    addRow(top, valueLeft, "La_VerzeProgramu", captions[0],
           valueLabel("La_CisloVerze", version + QStringLiteral("     ") + releaseDate));
    if (withReportModule) {
        top += rowStep;
        addRow(top, valueLeft, "La_VerzeFR", captions[1],
               valueLabel("La_CisloVerzeFR", reportModule));
    }
    top += rowStep;
    auto* link = new LinkLabel(homeHost());
    link->setObjectName(QStringLiteral("La_URL"));
    addRow(top, valueLeft, "La_DomovskaStranka", captions[2], link);
    if (!dataFolder.isEmpty())
        top = addFolderRows(top, valueLeft, dataFolder, backupFolder);
    // A long folder path widens the window rather than being cut off.
    int width = outerWidth;
    for (const QLabel* label : findChildren<QLabel*>())
        width =
            std::max(width, label->geometry().right() + captionLeft / 2 + frameAllowance.width());

    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("Tl_Ok"));
    ok->setDefault(true);
    ok->setGeometry(buttonLeft + width - outerWidth, top + buttonBelowLastRow, 75, 25);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    setFixedSize(QSize(width, top + heightBelowLastRow) - frameAllowance);
    const QRect screen = QApplication::primaryScreen()->availableGeometry();
    move(screen.center() - QPoint(width / 2, (top + heightBelowLastRow) / 2));
}

int AboutDialog::addFolderRows(int top, int valueLeft, const QString& dataFolder,
                               const QString& backupFolder) {
    const struct {
        const char* captionName;
        const char* valueName;
        const char* caption;
        QString folder;
    } rows[] = {{"La_DataProgramu", "La_SlozkaDat", "Data programu:", dataFolder},
                {"La_Zalohy", "La_SlozkaZaloh", "Zálohy:", backupFolder}};
    for (const auto& row : rows) {
        top += rowStep;
        QLabel* value =
            valueLabel(row.valueName, QDir::toNativeSeparators(QDir::cleanPath(row.folder)));
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        addRow(top, valueLeft, row.captionName, QString::fromUtf8(row.caption), value);
    }
    return top;
}

void AboutDialog::addRow(int top, int valueLeft, const char* captionName, const QString& caption,
                         QWidget* value) {
    auto* label = new QLabel(caption, this);
    label->setObjectName(QString::fromLatin1(captionName));
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    QPalette darkBlue = label->palette();
    darkBlue.setColor(QPalette::WindowText, QColor(3, 63, 113));
    label->setPalette(darkBlue);
    label->move(captionLeft, top);
    label->adjustSize();
    value->setParent(this);
    value->move(valueLeft, top);
    value->adjustSize();
}

void ShowAboutDialog(const QString& version, const QString& releaseDate,
                     const QString& reportModule, const QString& dataFolder,
                     const QString& backupFolder) {
    AboutDialog dialog(version, releaseDate, reportModule, QApplication::activeWindow(), dataFolder,
                       backupFolder);
    host().exec(dialog);
}

} // namespace dialogs
