#pragma once
// Key filter of a text box: a typed character that the box does not take is dropped with a
// beep. Keys that move the focus or close the window are left to the window.

#include <QObject>
#include <functional>

namespace dialogs {

class CharFilter : public QObject {
    Q_OBJECT
public:
    using Accepts = std::function<bool(QChar)>;

    struct Passing {
        // Control characters (Ctrl+V and the like); Backspace always passes.
        bool controlCharacters = true;
        // Keys held with Ctrl, Alt or Meta, whatever character they carry.
        bool shortcuts = false;
    };

    CharFilter(Accepts accepts, Passing passing, QObject* parent);

    // Invoice identifiers: digits, "-" and "."; no control characters.
    static CharFilter* digits(QObject* parent);
    // Amounts: digits, a sign, the locale's decimal separator and the dot of the numeric keypad.
    static CharFilter* amount(QObject* parent);
    // Whole numbers: digits and a sign.
    static CharFilter* wholeNumber(QObject* parent);
    // Rates in per cent: digits and the dot; shortcuts pass.
    static CharFilter* rate(QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Accepts accepts_;
    Passing passing_;

    bool refuses(QChar c) const;
};

} // namespace dialogs
