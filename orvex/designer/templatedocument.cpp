#include "orvex/designer/templatedocument.h"

#include "orvex/attributes.h"
#include "orvex/templatebytes.h"
#include "storage/engine/savefile.h"

#include <QSaveFile>
#include <QSet>
#include <algorithm>

namespace orvex::designer {

struct TemplateDocument::Edit {
    enum Kind { SetAttribute, Insert, Take };
    Kind kind = SetAttribute;
    XmlNode* node = nullptr; // the element (SetAttribute) or the parent
    QString key;
    QString value; // null: remove the attribute
    QString oldValue;
    int index = 0;
    XmlNodePtr child;

    void apply() {
        switch (kind) {
        case SetAttribute:
            oldValue = node->hasAttribute(key) ? node->attribute(key) : QString();
            setOrRemove(value);
            break;
        case Insert:
            node->insertChild(index, child);
            break;
        case Take:
            child = node->takeChild(index);
            break;
        }
    }

    void revert() {
        switch (kind) {
        case SetAttribute:
            setOrRemove(oldValue);
            break;
        case Insert:
            node->takeChild(index);
            break;
        case Take:
            node->insertChild(index, child);
            break;
        }
    }

private:
    void setOrRemove(const QString& text) {
        if (text.isNull())
            node->removeAttribute(key);
        else
            node->setAttribute(key, text);
    }
};

struct TemplateDocument::Step {
    QString text;
    QVector<Edit> edits;
};

namespace {

// One undoable step: elementary tree edits, undone in reverse order. A step built between
// beginStep and endStep arrives already applied.
template <typename Edit> class TreeCommand : public QUndoCommand {
public:
    TreeCommand(TemplateDocument* document, QVector<Edit> edits, const QString& text, bool applied)
        : document_(document), edits_(std::move(edits)), applied_(applied) {
        setText(text);
    }

    void redo() override {
        if (applied_) {
            applied_ = false;
            return;
        }
        for (Edit& edit : edits_)
            edit.apply();
        document_->notifyChanged();
    }

    void undo() override {
        for (auto it = edits_.rbegin(); it != edits_.rend(); ++it)
            it->revert();
        document_->notifyChanged();
    }

private:
    TemplateDocument* document_;
    QVector<Edit> edits_;
    bool applied_;
};

} // namespace

namespace {

using Edit = TemplateDocument::Edit;

bool isWhitespace(const XmlNode* node) {
    return node->type == XmlNode::Text && node->text.trimmed().isEmpty();
}

Edit takeEdit(XmlNode* parent, int index) {
    Edit edit;
    edit.kind = Edit::Take;
    edit.node = parent;
    edit.index = index;
    return edit;
}

Edit insertEdit(XmlNode* parent, int index, XmlNodePtr child) {
    Edit edit;
    edit.kind = Edit::Insert;
    edit.node = parent;
    edit.index = index;
    edit.child = std::move(child);
    return edit;
}

// The edits that take an element out together with the line break before it.
QVector<Edit> removalEdits(XmlNode* element) {
    XmlNode* parent = element->parent;
    const int index = parent->indexOf(element);
    QVector<Edit> edits = {takeEdit(parent, index)};
    if (index > 0 && isWhitespace(parent->children[index - 1].get()))
        edits << takeEdit(parent, index - 1);
    return edits;
}

void collectNames(const XmlNode* node, QSet<QString>& names) {
    if (node->hasAttribute(QStringLiteral("Name")))
        names.insert(node->attribute(QStringLiteral("Name")).toLower());
    for (const XmlNodePtr& child : node->children)
        collectNames(child.get(), names);
}

const QSet<QString>& bandTypes() {
    static const QSet<QString> types = {
        QStringLiteral("TfrxReportTitle"),   QStringLiteral("TfrxPageHeader"),
        QStringLiteral("TfrxHeader"),        QStringLiteral("TfrxGroupHeader"),
        QStringLiteral("TfrxMasterData"),    QStringLiteral("TfrxDetailData"),
        QStringLiteral("TfrxSubdetailData"), QStringLiteral("TfrxGroupFooter"),
        QStringLiteral("TfrxFooter"),        QStringLiteral("TfrxPageFooter"),
        QStringLiteral("TfrxReportSummary"), QStringLiteral("TfrxChild"),
        QStringLiteral("TfrxColumnHeader"),  QStringLiteral("TfrxColumnFooter"),
        QStringLiteral("TfrxOverlay")};
    return types;
}

} // namespace

TemplateDocument::TemplateDocument(QObject* parent) : QObject(parent) {}

TemplateDocument::~TemplateDocument() = default;

void TemplateDocument::beginStep(const QString& text) {
    if (stepDepth_++ == 0)
        step_ = std::make_unique<Step>(Step{text, {}});
}

void TemplateDocument::endStep() {
    if (--stepDepth_ > 0)
        return;
    std::unique_ptr<Step> step = std::move(step_);
    if (!step->edits.isEmpty())
        undo_.push(new TreeCommand<Edit>(this, std::move(step->edits), step->text, true));
}

void TemplateDocument::push(QVector<Edit> edits, const QString& text) {
    if (stepDepth_ == 0) {
        undo_.push(new TreeCommand<Edit>(this, std::move(edits), text, false));
        return;
    }
    for (Edit& edit : edits) {
        edit.apply();
        step_->edits << edit;
    }
    emit changed();
}

bool TemplateDocument::load(const QByteArray& bytes, QString* error) {
    XmlDocument document;
    QString reason;
    if (!readXml(repairTemplateBytes(bytes).utf8, document, &reason)) {
        *error = reason;
        return false;
    }
    if (document.root->name != QLatin1String("TfrxReport")) {
        *error = QStringLiteral("soubor není předlohou sestavy");
        return false;
    }
    document_ = document;
    undo_.clear();
    if (!page()) {
        XmlNodePtr page = XmlNode::element(QStringLiteral("TfrxReportPage"));
        page->setAttribute(QStringLiteral("Name"), QStringLiteral("Page1"));
        report()->insertChild(report()->children.size(), page);
    }
    emit changed();
    return true;
}

QByteArray TemplateDocument::toBytes() const {
    return writeXml(document_);
}

bool TemplateDocument::save(const QString& path, QString* error) {
    QSaveFile file(path);
    QString reason;
    if (!file.open(QIODevice::WriteOnly) || !engine::writeAll(file, toBytes()))
        reason = file.errorString();
    else if (engine::commitAll(file, reason)) {
        undo_.setClean();
        return true;
    }
    *error = reason;
    return false;
}

XmlNode* TemplateDocument::page() const {
    for (XmlNode* element : report()->childElements()) {
        if (element->name == QLatin1String("TfrxReportPage"))
            return element;
    }
    return nullptr;
}

bool TemplateDocument::isBand(const XmlNode* node) {
    return node && node->type == XmlNode::Element && bandTypes().contains(node->name);
}

XmlNode* TemplateDocument::bandOf(const XmlNode* object) {
    return isBand(object->parent) ? object->parent : nullptr;
}

QVector<XmlNode*> TemplateDocument::bands() const {
    QVector<XmlNode*> result;
    for (XmlNode* element : page()->childElements()) {
        if (isBand(element))
            result << element;
    }
    std::stable_sort(result.begin(), result.end(), [](const XmlNode* a, const XmlNode* b) {
        return numberAttribute(a, QStringLiteral("Top")) <
               numberAttribute(b, QStringLiteral("Top"));
    });
    return result;
}

XmlNode* TemplateDocument::firstBand(const QString& type) const {
    for (XmlNode* band : bands()) {
        if (band->name == type)
            return band;
    }
    return nullptr;
}

bool TemplateDocument::hasName(const QString& name) const {
    QSet<QString> names;
    collectNames(report(), names);
    return names.contains(name.toLower());
}

QString TemplateDocument::uniqueName(const QString& stem) const {
    QSet<QString> names;
    collectNames(report(), names);
    for (int n = 1;; ++n) {
        const QString name = stem + QString::number(n);
        if (!names.contains(name.toLower()))
            return name;
    }
}

QString TemplateDocument::indentOf(const XmlNode* element) const {
    int depth = 0;
    for (const XmlNode* p = element->parent; p; p = p->parent)
        ++depth;
    return QString(depth * 2, u' ');
}

void TemplateDocument::setAttributes(XmlNode* element, const AttributeValues& values,
                                     const QString& text) {
    QVector<Edit> edits;
    for (const auto& [key, value] : values) {
        const bool had = element->hasAttribute(key);
        if (had == !value.isNull() && element->attribute(key) == value)
            continue;
        Edit edit;
        edit.node = element;
        edit.key = key;
        edit.value = value;
        edits << edit;
    }
    if (!edits.isEmpty())
        push(edits, text);
}

void TemplateDocument::insertElement(XmlNode* parent, int elementIndex, XmlNodePtr element,
                                     const QString& text) {
    const QString childIndent = document_.newline + indentOf(parent) + QStringLiteral("  ");
    const QVector<XmlNode*> siblings = parent->childElements();
    QVector<Edit> edits;
    if (siblings.isEmpty()) {
        // A self-closed element opens: the closing tag goes on a line of its own.
        const int end = parent->children.size();
        edits << insertEdit(parent, end, XmlNode::textNode(document_.newline + indentOf(parent)));
        edits << insertEdit(parent, end, std::move(element));
        edits << insertEdit(parent, end, XmlNode::textNode(childIndent));
    } else {
        int at = parent->indexOf(siblings.last()) + 1;
        if (elementIndex >= 0 && elementIndex < siblings.size()) {
            at = parent->indexOf(siblings[elementIndex]);
            if (at > 0 && isWhitespace(parent->children[at - 1].get()))
                --at;
        }
        edits << insertEdit(parent, at, std::move(element));
        edits << insertEdit(parent, at, XmlNode::textNode(childIndent));
    }
    push(edits, text);
}

void TemplateDocument::removeElement(XmlNode* element, const QString& text) {
    push(removalEdits(element), text);
}

void TemplateDocument::moveElement(XmlNode* element, XmlNode* newParent, const QString& text) {
    beginStep(text);
    XmlNodePtr keep = element->parent->children[element->parent->indexOf(element)];
    removeElement(element, text);
    insertElement(newParent, -1, keep, text);
    endStep();
}

QString formatNumber(double value) {
    QString text = QString::number(value, 'f', 5);
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.'))
        text.chop(1);
    if (text == QLatin1String("-0"))
        text = QStringLiteral("0");
    return text.replace(u'.', u',');
}

double numberAttribute(const XmlNode* element, const QString& key, double fallback) {
    bool ok = false;
    const double value = parseNumber(element->attribute(key), &ok);
    return ok ? value : fallback;
}

} // namespace orvex::designer
