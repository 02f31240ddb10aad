#pragma once
// The About window: the program's version and release date, the report module's version, a
// link to the program's web site and, when given, the folders of the data and of the backups.

#include <QDialog>
#include <QString>

namespace dialogs {

// Host name of the program's web site; the About link opens "http://" + this.
QString homeHost();

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    // Designed outer width; the outer height is the last row's top + 93.
    static constexpr int outerWidth = 520;
    // Border and caption of a fixed dialog window, outside the client area.
    static const QSize frameAllowance;

    // The report-module row is left out when reportModule is empty, the rows of the data and
    // backup folders when dataFolder is.
    AboutDialog(const QString& version, const QString& releaseDate, const QString& reportModule,
                QWidget* parent = nullptr, const QString& dataFolder = QString(),
                const QString& backupFolder = QString());

private:
    // Adds the rows of the two folders below top; returns the top of the last one.
    int addFolderRows(int top, int valueLeft, const QString& dataFolder,
                      const QString& backupFolder);
    void addRow(int top, int valueLeft, const char* captionName, const QString& caption,
                QWidget* value);
};

// Shows the About window modally (captioned "O programu " + the application title) and returns
// when it is closed.
void ShowAboutDialog(const QString& version, const QString& releaseDate,
                     const QString& reportModule, const QString& dataFolder = QString(),
                     const QString& backupFolder = QString());

} // namespace dialogs
