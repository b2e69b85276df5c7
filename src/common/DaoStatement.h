#pragma once

#include <QString>
#include <QVariant>

#include <optional>

struct sqlite3_stmt;
class cDao;

/// A statement of the program prepared once on the connection and run many times
/// with new values (cDao::prepare): the engine parses it once and each value is bound
/// directly, so a registration's 225 inserts cost little more than their writing.
/// Values stay bound from one run to the next until bound anew. A statement belongs
/// to the connection that was open when it was prepared and must end before that
/// one closes.
class DaoStatement
{
public:
    DaoStatement(DaoStatement &&other) noexcept;
    DaoStatement &operator=(DaoStatement &&other) noexcept;
    DaoStatement(const DaoStatement &) = delete;
    DaoStatement &operator=(const DaoStatement &) = delete;
    ~DaoStatement();

    /// Binds a whole number, or NULL for none, to the index-th "?" (from 0).
    void bind(int index, std::optional<int> value);
    /// Binds any value as cDao::exec binds it (a null or empty variant binds NULL).
    void bind(int index, const QVariant &value);
    /// Runs the statement with the values bound; the rows it changed. Throws DaoError.
    int exec();
    /// Binds the values in order and runs the statement.
    int exec(const QVariantList &values);

private:
    friend class cDao;
    DaoStatement(cDao &dao, sqlite3_stmt *statement) : m_dao(&dao), m_statement(statement) {}

    cDao *m_dao;
    sqlite3_stmt *m_statement;
};
