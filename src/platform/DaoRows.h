#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <stdexcept>

/// The one error of the database: a statement that failed, a column a query did not
/// give, a row it has not. It travels to the calling form procedure, whose handler logs it.
/// A failure of the engine carries the engine's result code (0 for the program's own).
class DaoError : public std::runtime_error
{
public:
    explicit DaoError(const QString &message, int engineCode = 0)
        : std::runtime_error(message.toStdString()), m_engineCode(engineCode)
    {
    }
    QString text() const { return QString::fromStdString(what()); }
    int engineCode() const { return m_engineCode; }
    /// True when the engine found the file damaged: a malformed page, or no database at all.
    bool isDamage() const { return isDamageCode(m_engineCode); }
    static bool isDamageCode(int engineCode)
    {
        const int primary = engineCode & 0xff; // the extended codes keep the primary one in the low byte
        return primary == 11 || primary == 26; // SQLITE_CORRUPT, SQLITE_NOTADB
    }

private:
    int m_engineCode = 0;
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
