#pragma once

class QApplication;

namespace dialogs {

// Czech texts for Qt's own buttons (Ano, Ne, Storno, OK) and the Czech locale as the default.
// False when Qt's Czech translation could not be loaded.
bool installCzechTranslations(QApplication& application);

} // namespace dialogs
