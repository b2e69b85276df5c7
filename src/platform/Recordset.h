#pragma once

#include <QHash>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <stdexcept>

/// A database error that travels to the calling form procedure, whose handler logs it.
class DaoError : public std::runtime_error
{
public:
    explicit DaoError(const QString &message) : std::runtime_error(message.toStdString()) {}
    QString text() const { return QString::fromStdString(what()); }
};

/// The stand-in for the engine's record set: the rows of one query, read at once,
/// walked with a current-row cursor (BOF before the first row, EOF after the last).
/// Values of NULL fields are null variants (vb::isNull).
class Recordset
{
public:
    Recordset(QStringList fieldNames, QVector<QVector<QVariant>> rows);

    bool isBOF() const { return m_rows.isEmpty() || m_pos < 0; }
    bool isEOF() const { return m_rows.isEmpty() || m_pos >= m_rows.size(); }
    void MoveFirst() { m_pos = 0; }
    void MoveLast() { m_pos = int(m_rows.size()) - 1; }
    void MoveNext();
    void MovePrevious();
    /// Position of the current row, usable to come back to it (the engine's bookmark).
    int bookmark() const { return m_pos; }
    void setBookmark(int position) { m_pos = position; }
    int RecordCount() const { return int(m_rows.size()); }

    int FieldCount() const { return int(m_names.size()); }
    QString FieldName(int index) const { return m_names.value(index); }
    bool hasField(const QString &name) const;
    /// Value of a field of the current row; throws DaoError when there is no current
    /// row or no such field (the engine's "no current record" and "item not found").
    QVariant Fields(const QString &name) const;
    QVariant Fields(int index) const;
    void Close()
    {
        m_rows.clear();
        m_pos = 0;
    }

private:
    void requireRow() const;

    QStringList m_names;
    QHash<QString, int> m_index;
    QVector<QVector<QVariant>> m_rows;
    int m_pos = 0;
};
