#pragma once
// A report template open in the designer: the XML tree of the file, changed only through
// undoable commands, so everything the designer does not edit is written back as it was read.

#include "orvex/designer/xmltree.h"

#include <QObject>
#include <QStringList>
#include <QUndoStack>
#include <memory>

namespace orvex::designer {

using AttributeValues = QVector<QPair<QString, QString>>; // an empty value removes one

class TemplateDocument : public QObject {
    Q_OBJECT
public:
    explicit TemplateDocument(QObject* parent = nullptr);
    ~TemplateDocument() override;

    // Any bytes the report library accepts (older encodings are repaired); false with a
    // Czech reason in *error.
    bool load(const QByteArray& bytes, QString* error);
    QByteArray toBytes() const;
    // The whole file or nothing; the undo stack is marked clean after it.
    bool save(const QString& path, QString* error);

    XmlNode* report() const { return document_.root.get(); }
    // The first report page; the designer edits that one.
    XmlNode* page() const;
    // Bands of the page in the order they print (by their Top).
    QVector<XmlNode*> bands() const;
    XmlNode* firstBand(const QString& type) const;
    // The band an object lies in, or nullptr for the page.
    static XmlNode* bandOf(const XmlNode* object);
    static bool isBand(const XmlNode* node);
    // A name no element of the report carries yet: stem + the lowest free number.
    QString uniqueName(const QString& stem) const;
    bool hasName(const QString& name) const;

    QUndoStack* undoStack() { return &undo_; }
    bool isModified() const { return !undo_.isClean(); }

    // Changes between beginStep and endStep (nested pairs count once) are one undo step;
    // a step that changed nothing leaves no trace.
    void beginStep(const QString& text);
    void endStep();

    // Undoable changes; each is one step of its own outside beginStep/endStep.
    void setAttributes(XmlNode* element, const AttributeValues& values, const QString& text);
    // Inserts a new element as the index-th child element of parent (-1: last), indented
    // like its neighbours.
    void insertElement(XmlNode* parent, int elementIndex, XmlNodePtr element, const QString& text);
    void removeElement(XmlNode* element, const QString& text);
    void moveElement(XmlNode* element, XmlNode* newParent, const QString& text);

    void notifyChanged() { emit changed(); }
    struct Edit; // one elementary change of the tree

signals:
    // After every change, undo and redo.
    void changed();

private:
    struct Step;
    void push(QVector<Edit> edits, const QString& text);
    QString indentOf(const XmlNode* element) const;

    XmlDocument document_;
    QUndoStack undo_;
    std::unique_ptr<Step> step_;
    int stepDepth_ = 0;
};

// Numbers as the template format writes them: a decimal comma, at most five decimals.
QString formatNumber(double value);
double numberAttribute(const XmlNode* element, const QString& key, double fallback = 0);

} // namespace orvex::designer
