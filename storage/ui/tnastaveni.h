#pragma once
// The settings dialog "Nastavení prostředí": the user's business details, currency, number
// series, VAT rates, date captions and default dates of both books, and the layout switches.
// Ok stores every key in memory and in the settings file together; Storno changes nothing.

#include "storage/settings.h"

#include <QDialog>

struct AppState;
class QButtonGroup;
class QComboBox;
class QGroupBox;
class QGridLayout;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QWidget;
class TNastaveniBindings;

class TNastaveni : public QDialog {
    Q_OBJECT
public:
    // settings are changed only when Ok has stored them in the file at iniPath.
    TNastaveni(Settings& settings, const QString& iniPath, QWidget* parent = nullptr);

private:
    Settings& settings_;
    QString iniPath_;
    TNastaveniBindings* bindings_;
    QPushButton* ok_ = nullptr;

    QWidget* userPage();
    QWidget* numberingPage();
    QWidget* defaultSeriesGroup();
    QWidget* moreSeriesGroup();
    QWidget* numberingKindGroup();
    QWidget* vatPage();
    QWidget* dateCaptionsPage();
    QWidget* defaultDatesPage();
    QWidget* layoutPage();
    QWidget* buttonStrip();

    QLineEdit* addEdit(QGridLayout* grid, const QString& label, const QString& name,
                       QString Settings::*member, int maxLength = 0);
    QLineEdit* textEdit(const QString& name, int maxLength);
    QSpinBox* addRate(QGridLayout* grid, const QString& label, const QString& name,
                      int Settings::*member);
    QComboBox* addDefaultDate(QGridLayout* grid, const QString& label, const QString& name,
                              int Settings::*member);
    void confirm();
};

// Shows the dialog over parent; true when the user confirmed and the settings were stored.
bool runSettingsDialog(AppState& state, QWidget* parent);
