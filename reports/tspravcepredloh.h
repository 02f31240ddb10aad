#pragma once
// The template manager: lists the template files and deletes the one the user chooses.

#include <QDialog>
#include <functional>

class QPushButton;
class QTreeWidget;

class TSpravcePredloh : public QDialog {
    Q_OBJECT
public:
    // Opens a template file in the designer: true when it was saved there.
    using TemplateEditor = std::function<bool(const QString& path, const QString& reportName)>;

    // Lists the templates of templateDir (ending with a separator) right away.
    TSpravcePredloh(const QString& templateDir, TemplateEditor editor, QWidget* parent = nullptr);

    // Rows right after the list was filled, and rows left now.
    int listedCount() const { return listedCount_; }
    int rowCount() const;
    // A template was saved in the designer while the window was open.
    bool templatesEdited() const { return templatesEdited_; }

    void Tl_OdstranitClick();
    void Tl_UpravitClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString templateDir_;
    TemplateEditor editor_;
    int listedCount_ = 0;
    bool templatesEdited_ = false;
    QTreeWidget* ListView1 = nullptr;
    QPushButton* Tl_Odstranit = nullptr;
    QPushButton* Tl_Upravit = nullptr;
    QPushButton* Tl_Storno = nullptr;

    void FillTemplateList(const QString& directory);
    void ListView1Click();
    // Deletes the selected row's file; a failure is shown and leaves the row.
    bool deleteSelectedFile();
};
