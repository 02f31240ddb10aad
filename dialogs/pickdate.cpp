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
    new ClickEnabler(calendar, dialog.okButton());
    dialog.fixSize(QSize(204, 213));
    dialog.move(left, top);
    const int result = host().exec(dialog);
    return takeChangedValue(result, calendar->selectedDate(), date);
}

} // namespace dialogs
