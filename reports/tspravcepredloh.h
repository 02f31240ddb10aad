#pragma once
// The template manager: lists the template files and deletes the one the user chooses.

#include <QDialog>

class QPushButton;
class QTreeWidget;

class TSpravcePredloh : public QDialog {
    Q_OBJECT
public:
    // Lists the templates of templateDir (ending with a separator) right away.
    explicit TSpravcePredloh(const QString& templateDir, QWidget* parent = nullptr);

    // Rows right after the list was filled, and rows left now.
    int listedCount() const { return listedCount_; }
    int rowCount() const;

    void Tl_OdstranitClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString templateDir_;
    int listedCount_ = 0;
    QTreeWidget* ListView1 = nullptr;
    QPushButton* Tl_Odstranit = nullptr;
    QPushButton* Tl_Storno = nullptr;

    void FillTemplateList(const QString& directory);
    void ListView1Click();
    // Deletes the selected row's file; a failure is shown and leaves the row.
    bool deleteSelectedFile();
};
