#include "dialogs/dialoghost.h"

#include "dialogs/qtdialoghost.h"

#include <QCoreApplication>

namespace dialogs {

namespace {

QtDialogHost& productionHost() {
    static QtDialogHost instance;
    return instance;
}

DialogHost* installedHost = nullptr;

QString& startupTitle() {
    static QString title;
    return title;
}

} // namespace

DialogHost& host() {
    return installedHost ? *installedHost : productionHost();
}

void setHost(DialogHost* host) {
    installedHost = host;
}

QString applicationTitle() {
    const QString& title = startupTitle();
    return title.isEmpty() ? QCoreApplication::applicationName() : title;
}

void setApplicationTitle(const QString& title) {
    startupTitle() = title;
}

QString captionOrTitle(const QString& caption) {
    return caption.isEmpty() ? applicationTitle() : caption;
}

} // namespace dialogs
