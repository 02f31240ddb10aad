#include "editing/seriesmenu.h"

#include <QAction>
#include <QMenu>

namespace {

QAction* addSeriesItem(QMenu* menu, const QString& name, const QString& caption,
                       const QString& prefix, const std::function<void(const QString&)>& onChosen) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(name);
    QObject::connect(item, &QAction::triggered, menu, [onChosen, prefix] { onChosen(prefix); });
    return item;
}

} // namespace

void fillSeriesMenu(QMenu* menu, const AppState& state,
                    const std::function<void(const QString&)>& onChosen) {
    menu->clear();
    menu->setObjectName(QStringLiteral("PMenu_CisRady"));
    // The separator stays when every additional series below it is hidden.
    menu->setSeparatorsCollapsible(false);
    const Settings& settings = state.settings;
    addSeriesItem(menu, QStringLiteral("PMenu_CR_Zakladni"),
                  QStringLiteral("Základní číselná řada"),
                  settings.numberPrefix(state.activeBook.TypProstredi()), onChosen);
    menu->addSeparator()->setObjectName(QStringLiteral("N1"));
    for (int series = 1; series <= Settings::seriesCount; ++series) {
        const QString& name = settings.seriesName(series);
        const QString& prefix = settings.seriesPrefix(series);
        QAction* item = addSeriesItem(menu, QStringLiteral("PMenu_CR_Sek%1").arg(series), name,
                                      prefix, onChosen);
        item->setVisible(!name.isEmpty() && !prefix.isEmpty());
    }
}
