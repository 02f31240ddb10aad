#pragma once
// The designer window: tool bar, field tree, the page, the property panel. It edits one
// template file and asks before unsaved changes are dropped.

#include "orvex/designer/fieldcatalog.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QMenu;

namespace orvex::designer {

class DesignerScene;
class DesignerView;
class FieldTree;
class PropertyPanel;
class TemplateDocument;
struct XmlNode;

struct DesignerContext {
    QHash<QString, QString> parameters; // the program's parameter pairs
    // Shows a report of the template at this path, as printing would; the report's name
    // is its title, as the print menu will give it.
    std::function<void(const QString& path, const QString& reportName)> preview;
};

class DesignerWindow : public QDialog {
    Q_OBJECT
public:
    DesignerWindow(const QString& path, DesignerContext context, QWidget* parent = nullptr);
    ~DesignerWindow() override;

    // Reads the file; false with a Czech reason.
    bool open(QString* error);
    bool save();
    void preview();
    // True once a save succeeded.
    bool wasSaved() const { return wasSaved_; }

    TemplateDocument* document() const { return document_; }
    DesignerScene* scene() const { return scene_; }
    DesignerView* pageView() const { return view_; }
    FieldTree* fieldTree() const { return fields_; }
    PropertyPanel* propertyPanel() const { return panel_; }

    // Replaceable questions (tests answer them): Yes, No or Cancel of QMessageBox, and the
    // condition of a new group (empty: cancelled).
    std::function<int()> askToSave;
    std::function<QString(const QVector<FieldEntry>&)> askGroupCondition;

    void addObject(int kind);
    void addPicture(const QString& file);
    void addBand(const QString& type);
    void copySelection();
    void paste();
    // Aligns the selected objects to the object clicked last: 0 left, 1 right, 2 top,
    // 3 bottom, 4 same width, 5 same height.
    void alignSelection(int how);

public slots:
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildToolBar(QLayout* layout);
    QMenu* bandMenu();
    QMenu* objectMenu();
    QMenu* alignMenu();
    void updateTitle();
    void updatePanel();
    void insertIntoBand(const FieldEntry& entry);
    QVector<FieldEntry> bookFields() const;
    int defaultAskToSave();
    QString defaultAskGroupCondition(const QVector<FieldEntry>& fields);

    QString path_;
    DesignerContext context_;
    TemplateDocument* document_;
    DesignerScene* scene_ = nullptr;
    DesignerView* view_ = nullptr;
    FieldTree* fields_ = nullptr;
    PropertyPanel* panel_ = nullptr;
    QComboBox* zoomBox_ = nullptr;
    bool wasSaved_ = false;
    bool zoomChosen_ = false;
};

} // namespace orvex::designer
