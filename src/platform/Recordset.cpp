#include "Recordset.h"

#include "VbRuntime.h"

Recordset::Recordset(QStringList fieldNames, QVector<QVector<QVariant>> rows)
    : m_names(std::move(fieldNames)), m_rows(std::move(rows))
{
    for (int i = 0; i < m_names.size(); ++i)
        m_index.insert(m_names.at(i).toLower(), i);
}

void Recordset::MoveNext()
{
    if (m_pos < m_rows.size())
        ++m_pos;
}

void Recordset::MovePrevious()
{
    if (m_pos >= 0)
        --m_pos;
}

bool Recordset::hasField(const QString &name) const
{
    return m_index.contains(name.toLower());
}

void Recordset::requireRow() const
{
    if (isBOF() || isEOF())
        throw DaoError(QStringLiteral("カレント レコードがありません。"));
}

QVariant Recordset::Fields(const QString &name) const
{
    const auto it = m_index.constFind(name.toLower());
    if (it == m_index.constEnd())
        throw DaoError(QStringLiteral("このコレクションには項目がありません。(%1)").arg(name));
    return Fields(it.value());
}

QVariant Recordset::Fields(int index) const
{
    requireRow();
    if (index < 0 || index >= m_names.size())
        throw DaoError(QStringLiteral("このコレクションには項目がありません。"));
    return m_rows.at(m_pos).at(index);
}
