#pragma once
// An XML tree that keeps what a general DOM loses: the order and spelling of attributes, the
// whitespace between elements, comments and processing instructions. A template read and
// written again without edits keeps every byte that the format lets it keep.

#include <QByteArray>
#include <QString>
#include <QVector>
#include <memory>

namespace orvex::designer {

struct XmlNode;
using XmlNodePtr = std::shared_ptr<XmlNode>;

struct XmlAttribute {
    QString name;
    QString value;
    QString raw; // as the file wrote it, escapes included; null once the value changed
};

struct XmlNode {
    enum Type { Element, Text, Comment, Instruction, CData };

    Type type = Element;
    QString name; // element name, instruction target
    QVector<XmlAttribute> attributes;
    QString text; // text, comment, instruction data, CDATA
    QVector<XmlNodePtr> children;
    XmlNode* parent = nullptr;

    static XmlNodePtr element(const QString& name);
    static XmlNodePtr textNode(const QString& text);

    // Attribute names compare without regard to letter case, as the template reader does.
    bool hasAttribute(const QString& key) const;
    QString attribute(const QString& key, const QString& fallback = QString()) const;
    // An existing attribute keeps its place and spelling; a new one goes last.
    void setAttribute(const QString& key, const QString& value);
    void removeAttribute(const QString& key);

    QVector<XmlNode*> childElements() const;
    int indexOf(const XmlNode* child) const; // raw index among all children, -1: none
    void insertChild(int index, XmlNodePtr child);
    XmlNodePtr takeChild(int index);
    // A deep copy without a parent.
    XmlNodePtr clone() const;
};

struct XmlDocument {
    QVector<XmlNodePtr> prolog; // comments and instructions before the root
    XmlNodePtr root;
    QString newline = QStringLiteral("\r\n"); // between elements, as the file had it
    bool finalNewline = true;
};

// bytes must be UTF-8; false with the reader's message in *error.
bool readXml(const QByteArray& bytes, XmlDocument& document, QString* error);
QByteArray writeXml(const XmlDocument& document);
// One element and its content, for the clipboard.
QByteArray writeElement(const XmlNode& element);

} // namespace orvex::designer
