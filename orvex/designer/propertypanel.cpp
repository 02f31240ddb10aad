#include "orvex/designer/propertypanel.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QEvent>
#include <QFontComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QToolButton>

namespace orvex::designer {

namespace {

QDoubleSpinBox* spinBox(double min, double max, const QString& suffix, QWidget* parent) {
    auto* box = new QDoubleSpinBox(parent);
    box->setRange(min, max);
    box->setDecimals(2);
    box->setSuffix(suffix);
    box->setKeyboardTracking(false);
    return box;
}

void showColour(QToolButton* button, const QColor& colour) {
    button->setText(colour.isValid() ? colour.name() : QStringLiteral("žádná"));
    QPixmap swatch(14, 14);
    swatch.fill(colour.isValid() ? colour : QColor(Qt::transparent));
    button->setIcon(QIcon(swatch));
    button->setProperty("colour", colour);
}

} // namespace

PropertyPanel::PropertyPanel(TemplateDocument* document, QWidget* parent)
    : QWidget(parent), document_(document), form_(new QFormLayout(this)) {
    form_->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
}

void PropertyPanel::setTargets(const QVector<XmlNode*>& targets,
                               const QStringList& conditionChoices) {
    const bool sameKind = !targets_.isEmpty() && !targets.isEmpty() &&
                          targets_.size() == targets.size() &&
                          targets_.first()->name == targets.first()->name;
    targets_ = targets;
    if (sameKind) {
        refresh();
        return;
    }
    while (form_->rowCount() > 0)
        form_->removeRow(0);
    editors_.clear();
    properties_ =
        targets.isEmpty() ? QVector<Property>() : propertiesOf(targets.first(), conditionChoices);
    for (int i = 0; i < properties_.size(); ++i) {
        editors_ << createEditor(i);
        form_->addRow(properties_[i].caption, editors_.last());
    }
    refresh();
}

void PropertyPanel::refresh() {
    for (int i = 0; i < editors_.size(); ++i)
        showValue(i);
}

QWidget* PropertyPanel::editor(const QString& caption) const {
    for (int i = 0; i < properties_.size(); ++i) {
        if (properties_[i].caption == caption)
            return editors_[i];
    }
    return nullptr;
}

QWidget* PropertyPanel::createEditor(int index) {
    const Property& property = properties_[index];
    switch (property.editor) {
    case PropertyEditor::Text: {
        auto* edit = new QLineEdit(this);
        connect(edit, &QLineEdit::editingFinished, this,
                [this, index, edit] { commit(index, edit->text()); });
        return edit;
    }
    case PropertyEditor::LongText: {
        auto* edit = new QPlainTextEdit(this);
        edit->setFixedHeight(64);
        edit->installEventFilter(this);
        return edit;
    }
    case PropertyEditor::Millimetres:
    case PropertyEditor::Number:
    case PropertyEditor::Points: {
        auto* box = property.editor == PropertyEditor::Millimetres
                        ? spinBox(-2000, 2000, QStringLiteral(" mm"), this)
                    : property.editor == PropertyEditor::Points
                        ? spinBox(1, 400, QStringLiteral(" b"), this)
                        : spinBox(0, 100, QString(), this);
        connect(box, &QDoubleSpinBox::valueChanged, this,
                [this, index](double value) { commit(index, value); });
        return box;
    }
    case PropertyEditor::Flag: {
        auto* box = new QCheckBox(this);
        connect(box, &QCheckBox::toggled, this,
                [this, index](bool value) { commit(index, value); });
        return box;
    }
    case PropertyEditor::Choice:
    case PropertyEditor::Pattern: {
        auto* box = new QComboBox(this);
        const bool pattern = property.editor == PropertyEditor::Pattern;
        box->setEditable(pattern);
        for (int i = 0; i < property.choices.size(); ++i)
            box->addItem(property.choices[i],
                         pattern ? property.choices[i] : property.choiceValues.value(i));
        connect(box, &QComboBox::activated, this, [this, index, box, pattern](int i) {
            commit(index, pattern ? box->currentText() : box->itemData(i));
        });
        if (pattern)
            connect(box->lineEdit(), &QLineEdit::editingFinished, this,
                    [this, index, box] { commit(index, box->currentText()); });
        return box;
    }
    case PropertyEditor::Colour: {
        auto* button = new QToolButton(this);
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setPopupMode(QToolButton::InstantPopup);
        auto* menu = new QMenu(button);
        menu->addAction(QStringLiteral("Vybrat barvu..."), this, [this, index, button] {
            const QColor colour = QColorDialog::getColor(button->property("colour").value<QColor>(),
                                                         this, QStringLiteral("Barva"));
            if (colour.isValid())
                commit(index, colour);
        });
        menu->addAction(QStringLiteral("Žádná"), this, [this, index] { commit(index, QColor()); });
        button->setMenu(menu);
        return button;
    }
    case PropertyEditor::FontName: {
        auto* box = new QFontComboBox(this);
        connect(box, &QComboBox::activated, this,
                [this, index, box] { commit(index, box->currentText()); });
        return box;
    }
    }
    return new QWidget(this);
}

void PropertyPanel::showValue(int index) {
    QWidget* widget = editors_[index];
    const QSignalBlocker blocker(widget);
    const QVariant value = properties_[index].read(targets_.first());
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        edit->setText(value.toString());
    else if (auto* text = qobject_cast<QPlainTextEdit*>(widget)) {
        if (text->toPlainText() != value.toString())
            text->setPlainText(value.toString());
    } else if (auto* box = qobject_cast<QDoubleSpinBox*>(widget))
        box->setValue(value.toDouble());
    else if (auto* check = qobject_cast<QCheckBox*>(widget))
        check->setChecked(value.toBool());
    else if (auto* font = qobject_cast<QFontComboBox*>(widget))
        font->setCurrentFont(QFont(value.toString()));
    else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        if (combo->isEditable())
            combo->setEditText(value.toString());
        else
            combo->setCurrentIndex(qMax(0, combo->findData(value)));
    } else if (auto* button = qobject_cast<QToolButton*>(widget))
        showColour(button, value.value<QColor>());
}

void PropertyPanel::commit(int index, const QVariant& value) {
    if (targets_.isEmpty())
        return;
    const Property& property = properties_[index];
    const QString text = QStringLiteral("Změna: ") + property.caption;
    const QVector<XmlNode*> targets = targets_;
    document_->beginStep(text);
    for (XmlNode* target : targets) {
        if (property.apply)
            property.apply(*document_, target, value);
        else
            document_->setAttributes(target, property.write(target, value), text);
    }
    document_->endStep();
}

bool PropertyPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        const int index = editors_.indexOf(qobject_cast<QWidget*>(watched));
        if (index >= 0)
            commit(index, static_cast<QPlainTextEdit*>(watched)->toPlainText());
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace orvex::designer
