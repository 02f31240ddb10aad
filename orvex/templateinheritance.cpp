#include "orvex/templateinheritance.h"

#include "orvex/templatebytes.h"
#include "storage/engine/regularfile.h"

#include <QDir>
#include <QDomDocument>
#include <QFileInfo>

namespace orvex {

namespace {

// Chains longer than this are a loop of templates naming each other.
constexpr int maxDepth = 8;

const QString inheritedTag = QStringLiteral("inherited");

// The parent in the child's folder, by the file name alone (the designer stores the path of
// the machine it ran on); letter case ignored as on the system the files come from.
QString parentPath(const QString& childPath, const QString& parentReport) {
    QString name = parentReport;
    name.replace(u'\\', u'/');
    name = name.section(u'/', -1);
    const QDir folder = QFileInfo(childPath).dir();
    if (folder.exists(name))
        return folder.filePath(name);
    for (const QString& entry : folder.entryList(QDir::Files))
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return folder.filePath(entry);
    return {};
}

QDomElement findByName(const QDomElement& root, const QString& name) {
    for (QDomElement e = root.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        if (e.attribute(QStringLiteral("Name")).compare(name, Qt::CaseInsensitive) == 0)
            return e;
        const QDomElement inner = findByName(e, name);
        if (!inner.isNull())
            return inner;
    }
    return {};
}

void copyAttributes(const QDomElement& from, QDomElement& to) {
    const QDomNamedNodeMap attributes = from.attributes();
    for (int i = 0; i < attributes.count(); ++i) {
        const QDomAttr a = attributes.item(i).toAttr();
        if (a.name() != QLatin1String("ParentReport"))
            to.setAttribute(a.name(), a.value());
    }
}

// Applies the child's elements to the parent's: "inherited" ones change the parent's element
// of the same name, the others are new and are added where the child has them.
void applyChanges(QDomDocument& parent, QDomElement target, const QDomElement& changes,
                  QStringList& warnings) {
    for (QDomElement e = changes.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        if (e.tagName() != inheritedTag) {
            target.appendChild(parent.importNode(e, true));
            continue;
        }
        const QString name = e.attribute(QStringLiteral("Name"));
        QDomElement original = findByName(parent.documentElement(), name);
        if (original.isNull()) {
            warnings << QStringLiteral("Objekt „%1“ zděděné předlohy v nadřazené předloze není; "
                                       "jeho změny byly vynechány.")
                            .arg(name);
            continue;
        }
        copyAttributes(e, original);
        applyChanges(parent, original, e, warnings);
    }
}

LoadedTemplate load(const QString& path, int depth) {
    LoadedTemplate result;
    QString reason;
    // Only a regular file is read: a FIFO or a device would block or never end.
    if (!engine::readRegularFile(path, 64 * 1024 * 1024, result.bytes, reason)) {
        result.error = QStringLiteral("Předlohu sestavy „%1“ nelze otevřít: %2").arg(path, reason);
        return result;
    }
    const QByteArray utf8 = repairTemplateBytes(result.bytes).utf8;
    QDomDocument child;
    if (!child.setContent(utf8) || child.documentElement().tagName() != inheritedTag) {
        result.ok = true; // an ordinary template; the parser names any fault in it
        return result;
    }
    const QString parentName = child.documentElement().attribute(QStringLiteral("ParentReport"));
    const QString parentFile = parentPath(path, parentName);
    if (parentFile.isEmpty() || depth >= maxDepth) {
        result.error =
            depth >= maxDepth
                ? QStringLiteral("Předlohy sestav „%1“ dědí jedna od druhé dokola.").arg(path)
                : QStringLiteral("Nadřazená předloha „%1“, z níž předloha „%2“ dědí, "
                                 "nebyla nalezena ve složce předlohy.")
                      .arg(parentName, path);
        return result;
    }
    LoadedTemplate parent = load(parentFile, depth + 1);
    QDomDocument merged;
    if (!parent.ok || !merged.setContent(repairTemplateBytes(parent.bytes).utf8)) {
        result.error =
            parent.ok ? QStringLiteral("Nadřazenou předlohu „%1“ nelze přečíst.").arg(parentFile)
                      : parent.error;
        return result;
    }
    result.warnings = parent.warnings;
    QDomElement root = merged.documentElement();
    copyAttributes(child.documentElement(), root);
    applyChanges(merged, root, child.documentElement(), result.warnings);
    result.bytes = merged.toByteArray();
    result.ok = true;
    return result;
}

} // namespace

LoadedTemplate loadTemplateFile(const QString& path) {
    return load(path, 0);
}

} // namespace orvex
