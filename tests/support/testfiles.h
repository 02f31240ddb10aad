#pragma once
// Whole files in tests. A file a test reads must be there: a missing or unreadable one fails
// the running test (and reads as no bytes), so a test that expects no file checks
// QFile::exists itself.

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

QByteArray fileBytes(const QString& path);
// Creates or replaces the file; a failed write fails the running test.
void writeBytes(const QString& path, const QByteArray& bytes = {});
// Text in Windows-1250, the encoding of the settings file and of older templates.
QByteArray windows1250(const QString& text);
// Lines as the settings file holds them: Windows-1250, each line ended with CR LF.
void writeLines(const QString& path, const QStringList& lines);
// Sets the file's modification time, so a later write (or its absence) shows.
void setModified(const QString& path, const QDateTime& time);
