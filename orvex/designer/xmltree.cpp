#include "orvex/designer/xmltree.h"

#include <QHash>
#include <QRegularExpression>
#include <QXmlStreamReader>

namespace orvex::designer {

namespace {

int attributeIndex(const XmlNode& node, const QString& key) {
    for (int i = 0; i < node.attributes.size(); ++i) {
        if (node.attributes[i].name.compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

XmlNodePtr makeNode(XmlNode::Type type, const QString& name, const QString& text) {
    auto node = std::make_shared<XmlNode>();
    node->type = type;
    node->name = name;
    node->text = text;
    return node;
}

void appendTo(XmlNode* parent, XmlNodePtr child) {
    parent->insertChild(parent->children.size(), std::move(child));
}

// Attribute values as the shipped templates have them: quotes and line breaks as character
// references, so values survive any reader unchanged.
QString escapeAttribute(const QString& value) {
    QString out;
    out.reserve(value.size());
    for (const QChar c : value) {
        switch (c.unicode()) {
        case '&':
            out += QLatin1String("&amp;");
            break;
        case '<':
            out += QLatin1String("&lt;");
            break;
        case '>':
            out += QLatin1String("&gt;");
            break;
        case '"':
            out += QLatin1String("&#34;");
            break;
        case '\r':
            out += QLatin1String("&#13;");
            break;
        case '\n':
            out += QLatin1String("&#10;");
            break;
        case '\t':
            out += QLatin1String("&#9;");
            break;
        default:
            out += c;
        }
    }
    return out;
}

QString escapeText(const QString& text, const QString& newline) {
    QString out = text;
    out.replace(u'&', QLatin1String("&amp;"));
    out.replace(u'<', QLatin1String("&lt;"));
    out.replace(u'>', QLatin1String("&gt;"));
    out.replace(u'\r', QLatin1String("&#13;"));
    if (newline != QLatin1String("\n"))
        out.replace(u'\n', newline);
    return out;
}

void writeNode(const XmlNode& node, const QString& newline, QString& out) {
    switch (node.type) {
    case XmlNode::Text:
        out += escapeText(node.text, newline);
        return;
    case XmlNode::Comment:
        out += QLatin1String("<!--") + node.text + QLatin1String("-->");
        return;
    case XmlNode::Instruction:
        out += QLatin1String("<?") + node.name +
               (node.text.isEmpty() ? QString() : u' ' + node.text) + QLatin1String("?>");
        return;
    case XmlNode::CData:
        out += QLatin1String("<![CDATA[") + node.text + QLatin1String("]]>");
        return;
    case XmlNode::Element:
        break;
    }
    out += u'<' + node.name;
    for (const XmlAttribute& a : node.attributes)
        out += u' ' + a.name + QLatin1String("=\"") +
               (a.raw.isNull() ? escapeAttribute(a.value) : a.raw) + u'"';
    if (node.children.isEmpty()) {
        out += QLatin1String("/>");
        return;
    }
    out += u'>';
    for (const XmlNodePtr& child : node.children)
        writeNode(*child, newline, out);
    out += QLatin1String("</") + node.name + u'>';
}

// Attribute values of a start tag as written, by name.
QHash<QString, QString> rawAttributes(QStringView tag) {
    static const QRegularExpression attribute(
        QStringLiteral("([^\\s=<]+)\\s*=\\s*(?:\"([^\"]*)\"|'([^']*)')"));
    QHash<QString, QString> raw;
    auto matches = attribute.globalMatch(tag);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        const bool quoted = match.capturedStart(2) >= 0;
        // A value in apostrophes is written again in quotes: it keeps no raw form.
        if (quoted)
            raw.insert(match.captured(1), match.captured(2));
    }
    return raw;
}

QString detectNewline(const QByteArray& bytes) {
    const int lf = bytes.indexOf('\n');
    return lf > 0 && bytes.at(lf - 1) == '\r' ? QStringLiteral("\r\n") : QStringLiteral("\n");
}

} // namespace

XmlNodePtr XmlNode::element(const QString& name) {
    return makeNode(Element, name, QString());
}

XmlNodePtr XmlNode::textNode(const QString& text) {
    return makeNode(Text, QString(), text);
}

bool XmlNode::hasAttribute(const QString& key) const {
    return attributeIndex(*this, key) >= 0;
}

QString XmlNode::attribute(const QString& key, const QString& fallback) const {
    const int i = attributeIndex(*this, key);
    return i < 0 ? fallback : attributes[i].value;
}

void XmlNode::setAttribute(const QString& key, const QString& value) {
    const int i = attributeIndex(*this, key);
    if (i < 0)
        attributes.append({key, value, QString()});
    else if (attributes[i].value != value)
        attributes[i] = {attributes[i].name, value, QString()};
}

void XmlNode::removeAttribute(const QString& key) {
    const int i = attributeIndex(*this, key);
    if (i >= 0)
        attributes.removeAt(i);
}

QVector<XmlNode*> XmlNode::childElements() const {
    QVector<XmlNode*> elements;
    for (const XmlNodePtr& child : children) {
        if (child->type == Element)
            elements << child.get();
    }
    return elements;
}

int XmlNode::indexOf(const XmlNode* child) const {
    for (int i = 0; i < children.size(); ++i) {
        if (children[i].get() == child)
            return i;
    }
    return -1;
}

void XmlNode::insertChild(int index, XmlNodePtr child) {
    child->parent = this;
    children.insert(index, std::move(child));
}

XmlNodePtr XmlNode::takeChild(int index) {
    XmlNodePtr child = children.takeAt(index);
    child->parent = nullptr;
    return child;
}

XmlNodePtr XmlNode::clone() const {
    auto copy = makeNode(type, name, text);
    copy->attributes = attributes;
    for (const XmlNodePtr& child : children)
        appendTo(copy.get(), child->clone());
    return copy;
}

bool readXml(const QByteArray& bytes, XmlDocument& document, QString* error) {
    // Read from text, so that the reader's offsets point into it and each start tag's
    // attribute values can be kept as written.
    const QString text = QString::fromUtf8(bytes);
    QXmlStreamReader xml(text);
    qint64 tokenStart = 0;
    XmlNodePtr holder = XmlNode::element(QString());
    XmlNode* current = holder.get();
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement: {
            XmlNodePtr element = XmlNode::element(xml.qualifiedName().toString());
            const QHash<QString, QString> written = rawAttributes(
                QStringView(text).mid(tokenStart, xml.characterOffset() - tokenStart));
            for (const QXmlStreamAttribute& a : xml.attributes()) {
                const QString name = a.qualifiedName().toString();
                element->attributes.append({name, a.value().toString(), written.value(name)});
            }
            XmlNode* raw = element.get();
            appendTo(current, std::move(element));
            current = raw;
            break;
        }
        case QXmlStreamReader::EndElement:
            current = current->parent;
            break;
        case QXmlStreamReader::Characters:
            if (current != holder.get())
                appendTo(current, makeNode(xml.isCDATA() ? XmlNode::CData : XmlNode::Text,
                                           QString(), xml.text().toString()));
            break;
        case QXmlStreamReader::Comment:
            appendTo(current, makeNode(XmlNode::Comment, QString(), xml.text().toString()));
            break;
        case QXmlStreamReader::ProcessingInstruction:
            appendTo(current,
                     makeNode(XmlNode::Instruction, xml.processingInstructionTarget().toString(),
                              xml.processingInstructionData().toString()));
            break;
        default:
            break;
        }
        tokenStart = xml.characterOffset();
    }
    if (xml.hasError()) {
        if (error)
            *error = QStringLiteral("chyba XML na řádku %1: %2")
                         .arg(xml.lineNumber())
                         .arg(xml.errorString());
        return false;
    }
    const QVector<XmlNode*> roots = holder->childElements();
    if (roots.isEmpty()) {
        if (error)
            *error = QStringLiteral("soubor neobsahuje žádný prvek XML");
        return false;
    }
    document.root = holder->takeChild(holder->indexOf(roots.first()));
    for (const XmlNodePtr& node : holder->children) {
        if (node->type == XmlNode::Comment || node->type == XmlNode::Instruction)
            document.prolog << node;
    }
    document.newline = detectNewline(bytes);
    document.finalNewline = bytes.endsWith('\n');
    return true;
}

QByteArray writeXml(const XmlDocument& document) {
    QString out = QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>") + document.newline;
    for (const XmlNodePtr& node : document.prolog) {
        writeNode(*node, document.newline, out);
        out += document.newline;
    }
    writeNode(*document.root, document.newline, out);
    if (document.finalNewline)
        out += document.newline;
    return out.toUtf8();
}

QByteArray writeElement(const XmlNode& element) {
    QString out;
    writeNode(element, QStringLiteral("\n"), out);
    return out.toUtf8();
}

} // namespace orvex::designer
