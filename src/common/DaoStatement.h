#pragma once

#include <QString>
#include <QVariant>

struct sqlite3_stmt;
class cDao;

/// A statement of the program prepared once on the connection and run many times
/// with new values (cDao::prepare): the engine parses it once and binds each value
/// directly, so a registration's 225 inserts cost little more than their writing.
/// It belongs to the connection that was open when it was prepared and must end
/// before that one closes.
class DaoStatement
{
public:
    DaoStatement(DaoStatement &&other) noexcept;
    DaoStatement &operator=(DaoStatement &&other) noexcept;
    DaoStatement(const DaoStatement &) = delete;
    DaoStatement &operator=(const DaoStatement &) = delete;
    ~DaoStatement();

    /// Runs the statement with these values, bound in order as cDao::exec binds
    /// them; the rows it changed. Throws DaoError when it fails.
    int exec(const QVariantList &values) { return exec(values.constData(), values.size()); }
    int exec(const QVariant *values, qsizetype count);

private:
    friend class cDao;
    DaoStatement(cDao &dao, sqlite3_stmt *statement) : m_dao(&dao), m_statement(statement) {}

    cDao *m_dao;
    sqlite3_stmt *m_statement;
};
