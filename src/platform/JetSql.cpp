#include "JetSql.h"

namespace JetSql
{

namespace
{

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('.') || c == QLatin1Char(']');
}

} // namespace

QString toSqlite(const QString &sql)
{
    QString out;
    out.reserve(sql.size() + 8);
    const qsizetype n = sql.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = sql.at(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) { // copy a quoted text whole
            qsizetype j = i + 1;
            while (j < n) {
                if (sql.at(j) == c) {
                    if (j + 1 < n && sql.at(j + 1) == c) {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            out += sql.mid(i, j - i + 1);
            i = j;
            continue;
        }
        if (c == QLatin1Char('[')) {
            const qsizetype j = sql.indexOf(QLatin1Char(']'), i);
            if (j > i) {
                out += sql.mid(i, j - i + 1);
                i = j;
                continue;
            }
        }
        if (c == QLatin1Char('&')) {
            out += QStringLiteral("||");
            continue;
        }
        if (c == QLatin1Char('#')) {
            const qsizetype j = sql.indexOf(QLatin1Char('#'), i + 1);
            if (j > i + 1) {
                out += QLatin1Char('\'') + sql.mid(i + 1, j - i - 1) + QLatin1Char('\'');
                i = j;
                continue;
            }
        }
        if ((c == QLatin1Char('m') || c == QLatin1Char('M')) && i + 3 <= n &&
            sql.mid(i, 3).compare(QLatin1String("mod"), Qt::CaseInsensitive) == 0 &&
            (i == 0 || !isWordChar(sql.at(i - 1))) && (i + 3 == n || !isWordChar(sql.at(i + 3)))) {
            out += QLatin1Char('%');
            i += 2;
            continue;
        }
        out += c;
    }
    return out;
}

} // namespace JetSql
