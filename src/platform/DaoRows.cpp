#include "DaoRows.h"

DaoRows::DaoRows(QStringList names, QVector<QVector<QVariant>> rows)
    : m_names(std::move(names)), m_rows(std::move(rows))
{
    for (int i = 0; i < m_names.size(); ++i)
        m_index.insert(m_names.at(i).toLower(), i);
}

int DaoRows::column(const QString &name) const
{
    const auto it = m_index.constFind(name.toLower());
    if (it == m_index.constEnd())
        throw DaoError(QStringLiteral("このコレクションには項目がありません。(%1)").arg(name));
    return it.value();
}

void DaoRows::requireRow(int row) const
{
    if (row < 0 || row >= m_rows.size())
        throw DaoError(QStringLiteral("カレント レコードがありません。"));
}

QVariant DaoRows::value(int row, const QString &name) const
{
    const int c = column(name);
    requireRow(row);
    return m_rows.at(row).at(c);
}

QVariant DaoRows::value(int row, int column) const
{
    requireRow(row);
    if (column < 0 || column >= m_names.size())
        throw DaoError(QStringLiteral("このコレクションには項目がありません。"));
    return m_rows.at(row).at(column);
}

const QVector<QVariant> &DaoRows::row(int row) const
{
    requireRow(row);
    return m_rows.at(row);
}
