#pragma once
// One box of the record editor bound to a field of the book's current row: it shows the field,
// the first key that edits it puts a browsing row into editing, and its text is written back
// into the field when it loses the focus or before the row is stored.

#include <QObject>
#include <QString>
#include <functional>

class QKeyEvent;
class QLineEdit;
class QWidget;

namespace engine {
class DataSet;
}

class FieldBinding : public QObject {
    Q_OBJECT
public:
    // Amounts show "#,##0.00" and are edited as "0.00"; dates are read-only "d.m.yyyy".
    enum class Kind { Text, Amount, Rate, Date };

    FieldBinding(engine::DataSet& book, QLineEdit* box, const QString& field, Kind kind);

    QLineEdit* box() const { return box_; }
    const QString& field() const { return field_; }
    Kind kind() const { return kind_; }

    // Widgets whose commands write or drop the typed text themselves (Ok, Storno, ...):
    // moving the focus to one of them leaves the text to that command, so a text that is not
    // a number is reported once, and not at all when the change is abandoned.
    std::function<bool(const QWidget*)> handsOverTo;

    // Shows the field of the current row.
    void refresh();
    // Writes text typed into the box to the field. False for text that is not a number: the
    // conversion error is shown and the focus goes back to the box.
    bool commit();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    engine::DataSet& book_;
    QLineEdit* box_;
    QString field_;
    Kind kind_;

    QString fieldText() const;
    bool convert(const QString& text, QVariant& value) const;
    void firstChangeTyped();
    // Puts a browsing row into editing, keeping the box's text, cursor and selection.
    bool beginEditingKeepingBox();
    static bool isEditingKey(const QKeyEvent* key);
};
