#pragma once
// The report preview: pages at a chosen zoom, page navigation, printing, saving as PDF and
// the list of what the template used that the library skipped.

#include "orvex/prepared.h"

#include <QDialog>

class QLabel;
class QScrollArea;
class QSpinBox;
class QComboBox;
class QToolBar;

namespace orvex {

class PreviewWindow : public QDialog {
    Q_OBJECT
public:
    PreviewWindow(PreparedReport report, const QString& title, QWidget* parent = nullptr);

    // How the page is scaled: to the window's width, whole page in sight, or a fixed zoom.
    enum class Fit { Width, Page, Fixed };

    int currentPage() const { return page_; }
    double zoom() const { return zoom_; } // the zoom in effect, whatever the fit
    Fit fit() const { return fit_; }
    void showPage(int page); // 1-based, clamped
    void setZoom(double zoom);
    void setFit(Fit fit);
    // Adds "Upravit předlohu", which closes the preview; editRequested() tells afterwards.
    void offerTemplateEditing();
    bool editRequested() const { return editRequested_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildToolBar(QLayout* layout);
    void buildZoomBox(QToolBar* bar);
    void buildWarnings(QLayout* layout);
    void fitToScreen();
    double fittedZoom() const;
    void render();
    void print();
    void savePdf();

    PreparedReport report_;
    QString title_;
    int page_ = 1;
    double zoom_ = 1.0;
    Fit fit_ = Fit::Width;
    QScrollArea* scroll_ = nullptr;
    QLabel* pageImage_ = nullptr;
    QSpinBox* pageBox_ = nullptr;
    QComboBox* zoomBox_ = nullptr;
    bool editRequested_ = false;
};

} // namespace orvex
