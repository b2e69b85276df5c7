#include "DaoTransaction.h"

#include "ErrorTrap.h"
#include "cDao.h"

DaoTransaction::DaoTransaction(cDao &dao) : m_dao(dao)
{
    m_dao.BeginTrans();
    m_active = true;
}

DaoTransaction::~DaoTransaction()
{
    if (!m_active)
        return;
    try {
        m_dao.RollbackTrans();
    } catch (const std::exception &e) {
        // A destructor must not throw; the failed rollback is at least logged.
        writeErrLog(errorLogText(e), QStringLiteral("DaoTransaction"), QStringLiteral("RollbackTrans"));
    }
}

void DaoTransaction::commit()
{
    // Still active while the commit may fail, so the destructor rolls back.
    m_dao.CommitTrans();
    m_active = false;
}

void DaoTransaction::rollback()
{
    m_dao.RollbackTrans();
    m_active = false;
}
