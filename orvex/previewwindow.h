#pragma once
// The report preview: pages at a chosen zoom, page navigation, printing, saving as PDF and
// the list of what the template used that the library skipped.

#include "orvex/layoutengine.h"
#include "orvex/prepared.h"

#include <QDialog>
#include <memory>

class QLabel;
class QScrollArea;
class QSpinBox;
class QComboBox;
class QListWidget;
class QToolBar;

namespace orvex {

class BackgroundLayout;

class PreviewWindow : public QDialog {
    Q_OBJECT
public:
    PreviewWindow(PreparedReport report, const QString& title, QWidget* parent = nullptr);
    // Lays the report out in the background and shows its first page as soon as it is done;
    // warnings: those of reading the template.
    PreviewWindow(LayoutInput input, const QStringList& warnings, const QString& title,
                  QWidget* parent = nullptr);
    ~PreviewWindow() override;

    // How the page is scaled: to the window's width, whole page in sight, or a fixed zoom.
    enum class Fit { Width, Page, Fixed };

    int currentPage() const { return page_; }
    double zoom() const { return zoom_; } // the zoom in effect, whatever the fit
    Fit fit() const { return fit_; }
    bool layoutFinished() const { return finished_; }
    int pageCount() const { return report_.pages.size(); } // laid out so far
    void showPage(int page);                               // 1-based, clamped
    void setZoom(double zoom);
    void setFit(Fit fit);
    // Adds "Upravit předlohu", which closes the preview; editRequested() tells afterwards.
    void offerTemplateEditing();
    bool editRequested() const { return editRequested_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void setUp();
    void buildToolBar(QLayout* layout);
    void buildZoomBox(QToolBar* bar);
    void buildWarnings(QLayout* layout);
    void showWarnings();
    void addPages(const QVector<PreparedPage>& pages);
    void updatePages(const QMap<int, PreparedPage>& pages);
    void finishLayout(const QStringList& warnings);
    void showPageCount();
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
    QLabel* pageCount_ = nullptr;
    QLabel* warningsCaption_ = nullptr;
    QListWidget* warningsList_ = nullptr;
    QList<QAction*> needAllPages_; // printing and saving wait for the last page
    std::unique_ptr<BackgroundLayout> layout_;
    bool finished_ = true;
    bool editRequested_ = false;
};

} // namespace orvex
