#include "dialogs/dialogframe.h"

#include "dialogs/dialoghost.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace dialogs {

namespace {

constexpr int stripHeight = 41;
constexpr int buttonBottomGap = 7;
const QSize buttonSize(75, 25);

} // namespace

DialogFrame::DialogFrame(const QString& caption, int okLeft, int stornoLeft)
    : QDialog(QApplication::activeWindow()) {
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    setWindowTitle(captionOrTitle(caption));
    const QColor buttonFace = palette().color(QPalette::Button);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    contentLayout = new QVBoxLayout;
    contentLayout->setContentsMargins(8, 8, 8, 8);
    outer->addLayout(contentLayout, 1);
    QWidget* strip = buildStrip(okLeft, stornoLeft);
    QPalette stripPalette = strip->palette();
    stripPalette.setColor(QPalette::Window, buttonFace);
    strip->setPalette(stripPalette);
    outer->addWidget(strip);
}

QWidget* DialogFrame::buildStrip(int okLeft, int stornoLeft) {
    auto* strip = new QWidget(this);
    strip->setAutoFillBackground(true);
    strip->setFixedHeight(stripHeight);
    ok = new QPushButton(QStringLiteral("Ok"), strip);
    ok->setObjectName(QStringLiteral("Tl_Ok"));
    ok->setDefault(true);
    auto* storno = new QPushButton(QStringLiteral("Storno"), strip);
    storno->setObjectName(QStringLiteral("Tl_Storno"));
    ok->setFixedSize(buttonSize);
    storno->setFixedSize(buttonSize);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(storno, &QPushButton::clicked, this, &QDialog::reject);

    auto* row = new QHBoxLayout(strip);
    const int top = stripHeight - buttonBottomGap - buttonSize.height();
    row->setContentsMargins(okLeft, top, 0, buttonBottomGap);
    row->setSpacing(stornoLeft - okLeft - buttonSize.width());
    row->addWidget(ok);
    row->addWidget(storno);
    row->addStretch(1);
    return strip;
}

void DialogFrame::fixSize(const QSize& clientSize) {
    setFixedSize(clientSize.expandedTo(sizeHint()));
}

} // namespace dialogs
