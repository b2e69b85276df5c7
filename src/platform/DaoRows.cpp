#include "DaoRows.h"

QString DaoError::engineFailureText(int engineCode)
{
    switch (engineCode & 0xff) { // the primary code, as in isDamageCode
    case 5:                      // SQLITE_BUSY
    case 6:                      // SQLITE_LOCKED
        return QStringLiteral("データベースは他のプログラムが使用中です。");
    case 8: // SQLITE_READONLY
        return QStringLiteral("データベースは読み取り専用のため書き込めません。");
    case 10: // SQLITE_IOERR
        return QStringLiteral("データベースファイルの読み書き中にエラーが発生しました。");
    case 11: // SQLITE_CORRUPT
        return QStringLiteral("データベースファイルが壊れています。");
    case 13: // SQLITE_FULL
        return QStringLiteral("ディスクの空き容量が不足しています。");
    case 14: // SQLITE_CANTOPEN
        return QStringLiteral("データベースファイルを開けません。");
    case 19: // SQLITE_CONSTRAINT
        return QStringLiteral("データベースの制約に違反するため、処理できません。");
    case 26: // SQLITE_NOTADB
        return QStringLiteral("データベースファイルではありません。");
    default:
        return QStringLiteral("データベースの処理中にエラーが発生しました。");
    }
}

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
