#pragma once

class cDao;

/// A transaction on the program's one connection that cannot be left open: it
/// begins when made, commits only on commit(), and rolls back when it goes out of
/// scope uncommitted, whether the work failed by a result or by an exception.
///
///     DaoTransaction tx(gDao());   // throws DaoError when BEGIN fails
///     if (!writeEverything())
///         return false;            // rolled back here
///     tx.commit();                 // throws DaoError; the destructor then rolls back
class DaoTransaction
{
public:
    explicit DaoTransaction(cDao &dao);
    ~DaoTransaction();
    DaoTransaction(const DaoTransaction &) = delete;
    DaoTransaction &operator=(const DaoTransaction &) = delete;

    void commit();
    /// Rolls back now; throws DaoError when the engine refuses.
    void rollback();
    bool isActive() const { return m_active; }

private:
    cDao &m_dao;
    bool m_active = false;
};
