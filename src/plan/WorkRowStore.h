#pragma once

#include "LoanRecord.h"
#include "RentRecord.h"

#include <QString>
#include <QVector>

#include <cstdint>

class cDao;

/// The work copies of a plan's rows while its entry form is open: W_借入金 for the
/// loans (and W_家賃 for the rent rows of an apartment plan). Opening the form
/// replaces the whole work table with the plan's stored rows; the row dialogs save
/// single rows into it; the registration copies it back into the stored table
/// inside its own transaction.
///
/// Within a plan the key of the rows runs without gaps: 1, 2, 3 for the loans
/// (連番), "A", "B", ... for the rent rows (タイプ). Loading closes gaps left in the
/// stored rows, and deleting a row renumbers the rest, so a new row (count + 1)
/// never lands on an existing one.
///
/// Every call throws a ProcedureError when a statement fails; a call that opens a
/// transaction has then rolled it back.
class WorkRowStore
{
public:
    /// A kind of row kept in a work table.
    struct Table {
        QString work;          ///< W_借入金
        QString stored;        ///< D_借入金
        QString key;           ///< 連番
        bool letters = false;  ///< the key runs "A", "B", ... instead of 1, 2, ...
        QString loadProcedure; ///< procedure names for the error log
        QString saveProcedure;
        QString renumberProcedure;
    };
    static const Table &loans();
    static const Table &rents();

    WorkRowStore(cDao &dao, int32_t id1, int32_t id2);

    /// Empties the whole work table (every plan's rows) and copies the plan's stored
    /// rows in, with the keys renumbered from the first; in one transaction.
    void load(const Table &table);
    /// Replaces the plan's stored rows by its work rows. Runs inside the caller's
    /// transaction and refuses to run outside one.
    void copyBack(const Table &table);
    /// Deletes the plan's row with the key and renumbers the rest; in one transaction.
    void deleteRow(const Table &table, const QVariant &key);

    /// The plan's loan rows in 連番 order.
    QVector<LoanRecord> readLoans() const;
    /// Replaces the plan's loan row of row.renban by row; in one transaction.
    void saveLoan(const LoanRecord &row);

    /// The plan's rent rows in タイプ order.
    QVector<RentRecord> readRents() const;
    /// Replaces the plan's rent row of row.type by row; in one transaction.
    void saveRent(const RentRecord &row);

private:
    /// Runs body in a transaction of its own; a failure throws a ProcedureError of procedure.
    template <class F> void transaction(const QString &procedure, F &&body);
    void renumber(const Table &table);
    /// Deletes the work row whose key is the first three values (ID1, ID2, key) and
    /// inserts the values into the columns; in one transaction.
    void replaceRow(const QString &table, const QStringList &columns, const QVariantList &values);
    QVariantList plan() const { return {m_id1, m_id2}; }

    cDao &m_dao;
    int32_t m_id1;
    int32_t m_id2;
};
