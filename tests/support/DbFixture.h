#pragma once

#include "TestDb.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

/// What tests on the program's database set up around each test: a fresh database as
/// the program's connection (gDao), and message boxes answered with their default
/// button, their history cleared. tearDown() closes the connection and removes the
/// database. The settings file "Vanrek.ini" belongs in the database's folder.
class DbFixture
{
public:
    /// False when the database could not be made or connected.
    bool setUp();
    void tearDown();

    const TestDb &db() const { return *m_db; }
    QString folder() const { return m_db->folder(); }
    QString iniPath() const;
    /// Makes text the whole settings file; false when it cannot be written.
    bool writeIni(const QByteArray &text) const;
    /// The settings file as text; empty when there is none.
    QString iniText() const;

private:
    std::unique_ptr<TestDb> m_db;
};

/// Runs a statement on the program's connection; a failure fails the running test.
void execSql(const QString &sql);
/// Runs a statement on the program's connection; false, with a warning, when it fails.
bool runSql(const QString &sql);
/// The rows of a query on the program's connection, each as "a|b", NULL written as NULL.
QStringList queryRowList(const QString &sql);
/// The same rows as one text, "a|b;c|d".
QString queryRows(const QString &sql);

/// While it lives, error-log lines are kept here as "object|procedure|message"
/// instead of being written to the log file.
class ErrLogRecorder
{
public:
    ErrLogRecorder();
    ~ErrLogRecorder();
    ErrLogRecorder(const ErrLogRecorder &) = delete;
    ErrLogRecorder &operator=(const ErrLogRecorder &) = delete;

    const QStringList &lines() const { return m_lines; }
    void clear() { m_lines.clear(); }

private:
    QStringList m_lines;
};
