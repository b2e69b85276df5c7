#pragma once

#include <QString>

class QWidget;

// What a form tells the user when a read failed because the database file is damaged
// (FormTrap::failsOnDamage), so that an empty list or plan is not taken for the truth.

/// The words of that box for the database file at the path.
QString DamagedFileText(const QString &databasePath);
/// Tells the user that the database file of the connection is damaged (some of its rows
/// cannot be read).
void ShowDamagedFile(QWidget *parent = nullptr);
/// For a list window that reads its rows: tells the damage unless told says that the window
/// told it already, and sets told. At once when the window is on the screen; else once its
/// loading is over and it is shown.
void ShowDamagedFileOnce(QWidget *window, bool &told);
