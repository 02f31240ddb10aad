#include "dialogs/aboutdialog.h"

#include "dialogs/dialoghost.h"
#include "dialogs/linklabel.h"

#include <QApplication>
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
                         const QString& reportModule, QWidget* parent)
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
    setFont(fittingFont(font(), withReportModule ? captions : captions.mid(0, 1) + captions.mid(2),
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

    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("Tl_Ok"));
    ok->setDefault(true);
    ok->setGeometry(buttonLeft, top + buttonBelowLastRow, 75, 25);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    setFixedSize(QSize(outerWidth, top + heightBelowLastRow) - frameAllowance);
    const QRect screen = QApplication::primaryScreen()->availableGeometry();
    move(screen.center() - QPoint(outerWidth / 2, (top + heightBelowLastRow) / 2));
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
                     const QString& reportModule) {
    AboutDialog dialog(version, releaseDate, reportModule, QApplication::activeWindow());
    host().exec(dialog);
}

} // namespace dialogs
