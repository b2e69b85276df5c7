#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <stdexcept>

/// The one error of the database: a statement that failed, a column a query did not
/// give, a row it has not. It travels to the calling form procedure, whose handler logs it.
/// A failure of the engine carries the engine's result code and the engine's own words,
/// and its text tells the user in Japanese what kind of failure it was (engineFailureText);
/// the program's own errors (code 0, no engine words) keep their texts.
class DaoError : public std::runtime_error
{
public:
    explicit DaoError(const QString &message, int engineCode = 0, const QString &engineText = QString())
        : std::runtime_error(message.toStdString()), m_engineCode(engineCode), m_engineText(engineText)
    {
    }
    /// A failure the engine reported by its result code, in its own words.
    static DaoError fromEngine(int engineCode, const QString &engineText)
    {
        return DaoError(engineFailureText(engineCode), engineCode, engineText);
    }
    /// The same failure with the name of what it met in front (a table, say): the code and
    /// the engine's words stay with it.
    DaoError prefixed(const QString &context) const { return DaoError(context + text(), m_engineCode, m_engineText); }

    QString text() const { return QString::fromStdString(what()); }
    int engineCode() const { return m_engineCode; }
    /// The engine's own words for the failure; empty for an error of the program.
    QString engineText() const { return m_engineText; }
    /// What the error log keeps: the text, then the engine's words in brackets.
    QString logText() const { return logText(text(), m_engineText); }
    static QString logText(const QString &text, const QString &engineText)
    {
        return engineText.isEmpty() ? text : text + QStringLiteral(" (") + engineText + QLatin1Char(')');
    }
    /// The user's words for a failure of the engine with this result code.
    static QString engineFailureText(int engineCode);

    /// True when the engine found the file damaged: a malformed page, or no database at all.
    bool isDamage() const { return isDamageCode(m_engineCode); }
    static bool isDamageCode(int engineCode)
    {
        const int primary = engineCode & 0xff; // the extended codes keep the primary one in the low byte
        return primary == 11 || primary == 26; // SQLITE_CORRUPT, SQLITE_NOTADB
    }

private:
    int m_engineCode = 0;
    QString m_engineText;
};

/// The rows of one query, read at once: the column names and, per row, the values
/// in column order. A NULL value is a null variant (vb::isNull). Columns are found
/// by name without regard to case, as the engine finds them.
class DaoRows
{
public:
    DaoRows() = default;
    DaoRows(QStringList names, QVector<QVector<QVariant>> rows);

    int count() const { return int(m_rows.size()); }
    bool isEmpty() const { return m_rows.isEmpty(); }
    int columnCount() const { return int(m_names.size()); }
    const QStringList &columnNames() const { return m_names; }
    bool hasColumn(const QString &name) const { return m_index.contains(name.toLower()); }

    /// The value of a named column of a row. Throws DaoError for a column the query
    /// did not give ("item not found") or a row it has not ("no current record").
    QVariant value(int row, const QString &name) const;
    /// The same by column position.
    QVariant value(int row, int column) const;
    /// A whole row, in column order; throws DaoError for a row the query has not.
    const QVector<QVariant> &row(int row) const;

private:
    int column(const QString &name) const;
    void requireRow(int row) const;

    QStringList m_names;
    QHash<QString, int> m_index;
    QVector<QVector<QVariant>> m_rows;
};
