#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <QVector>

#include <cstdint>

/// Conversions that never fail towards the caller, SQL literals, and small text
/// and date routines for texts that mix half-width (one byte) and full-width
/// (two bytes) characters. Values are the runtime's variants (see vb::).
class cBase
{
public:
    // Kind codes of CvtSQL and CvtSQLEx.
    enum SqlKind {
        SqlText = 100,
        SqlInt = 200,
        SqlLong = 201,
        SqlDouble = 202,
        SqlDateHash = 300,
        SqlDateToDate = 400,
        SqlDateQuoted = 500,
        SqlTime = 600,
        SqlDateTimeToDate = 700
    };

    bool IsData(const QVariant &value) const;
    QString CvtStr(const QVariant &value) const;
    int16_t CvtInt(const QVariant &value) const;
    /// Clamps to +-2147483647; the clamped value is written back into the caller's variable.
    int32_t CvtLng(QVariant &value) const;
    int32_t CvtLng(const QVariant &value) const;
    double CvtDbl(const QVariant &value) const;
    float CvtSng(const QVariant &value) const;
    /// Date 0 (1899-12-30 00:00) when the value is no date.
    QDateTime CvtDate(const QVariant &value) const;
    QDateTime CvtTime(const QVariant &value) const;
    /// An SQL literal of the kind; "NULL" for a blank value, "" for an unknown kind.
    QString CvtSQL(QVariant &value, int kind) const;
    QString CvtSQL(const QVariant &value, int kind) const;
    QVariant CvtSQLEx(const QVariant &value, int kind) const;
    QVariant CvtMdb(const QVariant &value) const;

    // Text and date utilities.
    void CvtJunkChar(QString &text, const QString &replacement, const QString &set) const;
    QString InsertStr(int32_t position, const QString &text, const QString &insert) const;
    int MsgBoxBeep(const QString &prompt, int32_t buttons, const QString &title) const;
    void PrintErrLog(const QString &, const QString &) const {}
    QString NullTrim(QString &text, bool doubleNul = false) const;
    QString GetAppVersion(int major, int minor, int revision, const QString &numberFormat) const;
    QDateTime FOMonth(const QDateTime &date) const;
    QDateTime EOMonth(const QDateTime &date) const;
    int32_t StrLen(const QVariant &value) const;
    int32_t StrLenB(const QVariant &value) const;
    QString FixStrFormat(const QVariant &value, int width, bool leftAligned) const;
    int32_t InStrR(int start, const QString &text, const QString &find, int mode) const;
    int32_t InStrRB(int start, const QString &text, const QString &find, int mode) const;
    int32_t StrCount(int32_t start, const QString &text, const QString &find, int mode) const;
    int32_t StrCountB(int32_t start, const QString &text, const QString &find, int mode) const;
    bool IsDateEx(const QString &text) const;
    int32_t LenANSI(const QVariant &value) const;
    QString CnvWide(const QVariant &value, int width, bool fullWidthPad) const;
    QString CnvNarrow(const QVariant &value, int width) const;
    QString EditString(const QVariant &value, int width, const QString &pad, int32_t alignment) const;
    QString PickString(const QString &text, int start, int count) const;
    QString PickString2(const QString &text, int32_t start, int count) const;

    // Occurrence finders used by the quote doubling of CvtSQL.
    int32_t CountStrFrom(int32_t start, const QString &text, const QString &find) const;
    int32_t GetStrPositions(int32_t start, const QString &text, const QString &find, QVector<int32_t> &positions) const;
};
