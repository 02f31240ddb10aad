#pragma once
// The side panel with the properties of the selected object, band or (nothing selected) the
// page. A value typed or picked there is one undoable step, applied to every selected element.

#include "orvex/designer/properties.h"

#include <QWidget>

class QFormLayout;

namespace orvex::designer {

class PropertyPanel : public QWidget {
    Q_OBJECT
public:
    explicit PropertyPanel(TemplateDocument* document, QWidget* parent = nullptr);

    // The first element's values are shown; changes go to all of them.
    void setTargets(const QVector<XmlNode*>& targets, const QStringList& conditionChoices);
    // Shows the current values again (after a change or an undo).
    void refresh();
    // The editor of a property by its caption (tests drive the panel through it).
    QWidget* editor(const QString& caption) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* createEditor(int index);
    void showValue(int index);
    void commit(int index, const QVariant& value);

    TemplateDocument* document_;
    QFormLayout* form_;
    QVector<XmlNode*> targets_;
    QVector<Property> properties_;
    QVector<QWidget*> editors_;
};

} // namespace orvex::designer
