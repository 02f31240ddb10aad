#pragma once
// A program folder for tests that start the main window; the database is prepared by the
// window's first start.

#include "support/testfiles.h"

#include <QDateTime>
#include <QFileInfo>
#include <QTemporaryDir>

struct ProgramFolder {
    QTemporaryDir dir;
    QString path() const { return dir.path() + u'/'; }
    QString ini() const { return dir.filePath("Lumira.ini"); }
    QString database() const { return dir.filePath("Lumira.mdb"); }
    void writeIni(const QStringList& lines) const { writeLines(ini(), lines); }
    // Puts the file's modification time in the past, so any later write shows.
    void ageIni() const { setModified(ini(), QDateTime::currentDateTime().addDays(-3)); }
    QDateTime iniTime() const { return QFileInfo(ini()).lastModified(); }
};
