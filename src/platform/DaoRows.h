#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <stdexcept>

/// The one error of the database: a statement that failed, a column a query did not
/// give, a row it has not. It travels to the calling form procedure, whose handler logs it.
class DaoError : public std::runtime_error
{
public:
    explicit DaoError(const QString &message) : std::runtime_error(message.toStdString()) {}
    QString text() const { return QString::fromStdString(what()); }
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
