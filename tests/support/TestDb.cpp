#include "TestDb.h"

#include "DbBuilder.h"
#include "Globals.h"
#include "cDao.h"

TestDb::TestDb()
{
    m_path = m_dir.filePath(QStringLiteral("DB/Vanrek.mdb"));
    m_ok = m_dir.isValid() && createTestDatabase(m_path, &m_error);
}

bool TestDb::connectGlobal(int busyTimeoutMs)
{
    gDao().setBusyTimeout(busyTimeoutMs);
    return m_ok && gDao().Connect(m_path, false);
}

bool createTestDatabase(const QString &path, QString *error)
{
    return DbBuilder::create(path, QStringLiteral(VANREK_DB_SQL_DIR), error);
}
