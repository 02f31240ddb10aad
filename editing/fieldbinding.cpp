#include "editing/fieldbinding.h"

#include "dialogs/dialogy.h"
#include "editing/pendingrow.h"
#include "storage/engine/dataset.h"
#include "storage/engine/formats.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>

namespace {

// The currency type holds about +-922 337 203 685 477; a larger number cannot be stored.
constexpr double largestAmount = 922337203685477.0;

QString notANumber(const QString& text, FieldBinding::Kind kind) {
    const QString quoted = u'\'' + text + u'\'';
    return kind == FieldBinding::Kind::Rate ? quoted + QStringLiteral(" není platné celé číslo.")
                                            : quoted + QStringLiteral(" není platné číslo.");
}

} // namespace

FieldBinding::FieldBinding(engine::DataSet& book, QLineEdit* box, const QString& field, Kind kind)
    : QObject(box), book_(book), box_(box), field_(field), kind_(kind) {
    box->installEventFilter(this);
    box->setReadOnly(kind == Kind::Date);
    connect(box, &QLineEdit::textEdited, this, &FieldBinding::firstChangeTyped);
}

QString FieldBinding::fieldText() const {
    const QVariant value = book_.value(field_);
    if (!value.isValid() || value.isNull())
        return {};
    switch (kind_) {
    case Kind::Amount:
        return engine::formatNumber(box_->hasFocus() ? QStringLiteral("0.00")
                                                     : QStringLiteral("#,##0.00"),
                                    value.toDouble());
    case Kind::Date:
        return engine::formatDate(QStringLiteral("d.m.yyyy"), value.toDate().startOfDay());
    case Kind::Text:
    case Kind::Rate:
        break;
    }
    return engine::plainText(value);
}

void FieldBinding::refresh() {
    box_->setText(fieldText());
}

// Text typed while the row is browsing: the row passes to editing first, and the box keeps
// what was typed although entering editing shows the row afresh.
void FieldBinding::firstChangeTyped() {
    if (!editing::isPending(book_) && beginEditingKeepingBox())
        box_->setModified(true);
}

bool FieldBinding::beginEditingKeepingBox() {
    const QString text = box_->text();
    const int cursor = box_->cursorPosition();
    const int selectionStart = box_->selectionStart();
    const int selectionLength = box_->selectionLength();
    if (!editing::beginEditing(book_)) {
        refresh();
        return false;
    }
    box_->setText(text);
    if (selectionLength > 0)
        box_->setSelection(selectionStart, selectionLength);
    else
        box_->setCursorPosition(cursor);
    return true;
}

// Keys that edit even where the text stays as it was: Backspace at the start, Delete at the
// end, a character into a full box, a paste or a cut.
bool FieldBinding::isEditingKey(const QKeyEvent* key) {
    if (key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete ||
        key->matches(QKeySequence::Paste) || key->matches(QKeySequence::Cut))
        return true;
    const QString text = key->text();
    return !text.isEmpty() && text.front().isPrint();
}

bool FieldBinding::convert(const QString& text, QVariant& value) const {
    const QString trimmed = text.trimmed();
    value = QVariant();
    if (kind_ == Kind::Text) {
        if (!text.isEmpty())
            value = text;
        return true;
    }
    if (trimmed.isEmpty())
        return true;
    bool ok = false;
    if (kind_ == Kind::Rate) {
        value = QLocale().toInt(trimmed, &ok);
        return ok;
    }
    // A dot is a decimal separator too, as the numeric keypad types it.
    const QString decimal = QString(trimmed).replace(u'.', QLocale().decimalPoint());
    const double number = QLocale().toDouble(decimal, &ok);
    value = number;
    return ok && qAbs(number) <= largestAmount;
}

bool FieldBinding::commit() {
    if (!box_->isModified())
        return true;
    QVariant value;
    if (!convert(box_->text(), value)) {
        dialogs::ShowError(notANumber(box_->text(), kind_));
        box_->setFocus();
        return false;
    }
    if (!editing::beginEditing(book_))
        return false;
    if (!book_.setValue(field_, value)) {
        editing::reportRefusal(book_);
        return false;
    }
    box_->setModified(false);
    return true;
}

bool FieldBinding::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::KeyPress && !box_->isReadOnly() && !editing::isPending(book_) &&
        isEditingKey(static_cast<QKeyEvent*>(event))) {
        beginEditingKeepingBox();
    } else if (event->type() == QEvent::FocusIn && kind_ == Kind::Amount && !box_->isModified()) {
        refresh();
    } else if (event->type() == QEvent::FocusOut) {
        // Another window or a pop-up menu taking the focus is not leaving the box.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
            return false;
        if (handsOverTo && handsOverTo(QApplication::focusWidget()))
            return false;
        if (commit() && kind_ == Kind::Amount)
            refresh();
    }
    return false;
}
