#pragma once

#include <QString>

#include <array>
#include <cstdint>

/// Module-level settings and state of the shell, read by the plan forms and plan
/// windows. They live from start-up to the end of the program.
extern double gTaxRate;                   ///< consumption-tax rate, percent
extern int16_t gDispInterval;             ///< 1 every year, 2 every second year, 3 every fifth year, 4 automatic
extern bool gGraphOnly;                   ///< plan windows show the graph only
extern int16_t gDispSize;                 ///< plan window size 1 大, 2 中, 3 小
extern QString gBackImage;                ///< workspace background picture
extern QString gImage1, gImage2, gImage3; ///< identification pictures of plan types 1 to 3
extern QString gIcon1, gIcon2, gIcon3;    ///< window icons of plan types 1 to 3
/// The fifteen plan years shown, at indexes 1 to 15 (index 0 is unused).
extern std::array<int16_t, 16> gYears;
extern QString gYearFilter;   ///< condition on 年 for the current interval
extern QString gYearFilterSK; ///< the same on SK.年 (the yearly-table report's alias)
extern bool gMdiClosing;      ///< the workspace is closing: plan windows close without deleting
extern QString gPropertyName; ///< name of the open property
extern QString gDbPath;       ///< full path of the database file

/// The folder of the program: settings file, error log and the DB folder live here.
/// Tests point it at a temporary folder.
QString AppPath();
void setAppPath(const QString &folder);
/// The settings file "Vanrek.ini" in the program folder.
QString IniPath();
/// A value of the settings file in the program folder, read through the shared cIni.
QString IniValue(const QString &section, const QString &key);

/// The settings file into the module settings; writes the defaults of missing keys.
void LoadIniSettings();
/// Writes the three view settings (interval, graph only, size) to the settings file.
void SaveSetting();
/// gYears, gYearFilter and gYearFilterSK from gDispInterval; nothing for an interval outside 1 to 4.
void BuildYearFilter();
/// Appends one line to the error log beside the program. Never throws.
void SetErrLog(const QString &message, const QString &objectName, const QString &procName);
/// The error-log line for a moment, without the line end.
QString ErrLogLine(const QString &timeText, const QString &objectName, const QString &procName, const QString &message);
/// Busy wait, processing window events when asked.
void Wait(double seconds, bool processEvents);
