#pragma once
// The report preview: pages at a chosen zoom, page navigation, printing, saving as PDF and
// the list of what the template used that the library skipped.

#include "orvex/prepared.h"

#include <QDialog>

class QLabel;
class QScrollArea;
class QSpinBox;
class QComboBox;

namespace orvex {

class PreviewWindow : public QDialog {
    Q_OBJECT
public:
    PreviewWindow(PreparedReport report, const QString& title, QWidget* parent = nullptr);

    int currentPage() const { return page_; }
    double zoom() const { return zoom_; }
    void showPage(int page); // 1-based, clamped
    void setZoom(double zoom);
    // Adds "Upravit předlohu", which closes the preview; editRequested() tells afterwards.
    void offerTemplateEditing();
    bool editRequested() const { return editRequested_; }

private:
    void buildToolBar(QLayout* layout);
    void buildWarnings(QLayout* layout);
    void render();
    void print();
    void savePdf();

    PreparedReport report_;
    QString title_;
    int page_ = 1;
    double zoom_ = 1.0;
    QScrollArea* scroll_ = nullptr;
    QLabel* pageImage_ = nullptr;
    QSpinBox* pageBox_ = nullptr;
    QComboBox* zoomBox_ = nullptr;
    bool editRequested_ = false;
};

} // namespace orvex
