#include "dialogs/clickenabler.h"
#include "dialogs/dialogframe.h"
#include "dialogs/dialogy.h"

#include <QCalendarWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace dialogs {

bool PickDate(QDate& date, const QString& caption, int left, int top) {
    DialogFrame dialog(caption, 16, 112);
    auto* calendar = new QCalendarWidget;
    calendar->setObjectName(QStringLiteral("MonthCalendar1"));
    calendar->setSelectedDate(date);
    dialog.content()->addWidget(calendar);
    QPushButton* ok = dialog.okButton();
    new ClickEnabler(calendar, ok);
    // A date chosen with the keyboard enables Ok as a click does, and Enter confirms it.
    QObject::connect(calendar, &QCalendarWidget::selectionChanged, ok,
                     [ok] { ok->setEnabled(true); });
    QObject::connect(calendar, &QCalendarWidget::activated, ok, [ok] {
        if (ok->isEnabled())
            ok->click();
    });
    dialog.fixSize(QSize(204, 213));
    dialog.move(left, top);
    const int result = host().exec(dialog);
    return takeChangedValue(result, calendar->selectedDate(), date);
}

} // namespace dialogs
