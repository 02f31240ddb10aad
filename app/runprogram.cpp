#include "app/runprogram.h"

#include "app/applicationsetup.h"
#include "app/thlavni.h"
#include "dialogs/czechtranslations.h"

#include <QApplication>

int runProgram(QApplication& application, const QString& programDir,
               const std::function<void(THlavni&)>& shown) {
    setUpApplication(programDir);
    dialogs::installCzechTranslations(application);
    THlavni window(programDir);
    if (!window.started())
        return 1;
    window.show();
    shown(window);
    return application.exec();
}
