#pragma once
// Key filter of one editor box: a typed character that the box does not take is dropped with
// a beep. Keys that move the focus or close the window are left to the window.

#include <QObject>
#include <functional>

class CharFilter : public QObject {
    Q_OBJECT
public:
    using Accepts = std::function<bool(QChar)>;

    // controlCharacters: whether control characters (Ctrl+V and the like) pass; Backspace
    // always does.
    CharFilter(Accepts accepts, bool controlCharacters, QObject* parent);

    // Invoice identifiers: digits, "-" and "."; no control characters.
    static CharFilter* digits(QObject* parent);
    // Amounts: digits, a sign, the locale's decimal separator and the dot of the numeric keypad.
    static CharFilter* amount(QObject* parent);
    // Whole numbers: digits and a sign.
    static CharFilter* wholeNumber(QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Accepts accepts_;
    bool controlCharacters_;

    bool refuses(QChar c) const;
};
