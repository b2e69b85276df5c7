#pragma once

#include <QString>

/// Qt's own windows (the file picker, the print dialog, standard buttons) speak
/// Japanese like the rest of the program: loads Qt's Japanese catalogue from folder
/// (Qt's translations folder when empty) and installs it in the application. False
/// when the catalogue is missing or unreadable; Qt's texts then stay in English.
bool installQtTranslation(const QString &folder = QString());
