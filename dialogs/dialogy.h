#pragma once
// Messages, questions, small modal dialogs and text helpers shared by every window.
// An empty caption always stands for the application title. Every window goes through host().

#include "dialogs/dialoghost.h"

#include <QDate>
#include <QString>
#include <QStringList>

namespace dialogs {

void ShowInfo(const QString& text);
void ShowInfoTitled(const QString& caption, const QString& text);
void ShowWarning(const QString& caption, const QString& text);
// Database, file and conversion errors: an error box with the error's own text.
void ShowError(const QString& text);
// Kinds 1..4: Yes/No (question mark), Yes/No (exclamation), Yes/No/Cancel (question mark),
// Yes/No/Cancel (exclamation); No is the default. Any other kind shows nothing: Answer::None.
Answer AskQuestion(const QString& caption, const QString& text, int kind);

// Read-only, word-wrapped text in a 450 x 250 window closed by its close box.
void ShowTextWindow(const QString& caption, const QString& text, bool verticalScrollBar);
// Opens a file or web address with its associated program; true when that was accepted.
bool OpenDocument(const QString& target, const QString& parameters);

// Moves text to the top of a most-recently-used list (case-insensitive match), keeping at
// most maxCount entries.
void PushHistory(QStringList& list, const QString& text, int maxCount);

// The three dialogs below return true only for Ok with a value different from the one passed
// in, and only then write it back.
bool InputNumber(int& value, int minimum, int maximum, const QString& caption,
                 const QString& prompt);
// The window's top-left corner is put at (left, top) on the screen.
bool PickDate(QDate& date, const QString& caption, int left, int top);
// index -1 means no option selected.
bool PickOption(const QStringList& options, int& index, const QString& caption,
                const QString& groupCaption);

// Pads with "0" to length (alignment 0 left, 1 centred, 2 right); a longer text is cut.
QString PadText(const QString& text, int length, int alignment);
QString RemoveChar(const QString& text, QChar character);
QString DigitsOnly(const QString& text);
int YearOfDate(const QDate& date);

} // namespace dialogs
