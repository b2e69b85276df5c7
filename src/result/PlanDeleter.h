#pragma once

#include <QStringList>

class cDao;

/// Discards a stored plan: its rows go from the two plan tables, its rent and loan
/// rows and its three result tables, all in one transaction. The property row, the
/// store titles and the work tables are not touched.
class PlanDeleter
{
public:
    explicit PlanDeleter(cDao &dao);

    /// Deletes the plan's rows from every table of tables(), in that order. When a
    /// statement fails nothing is deleted: the transaction is rolled back and a
    /// DaoError names the table and gives the engine's message.
    void deletePlan(int id1, int id2);

    /// D_駐車場, D_賃貸マンション, D_家賃, D_借入金, T_収支, T_収支計画, T_損益計算.
    static const QStringList &tables();

private:
    cDao &m_dao;
};
