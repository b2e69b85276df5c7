#pragma once

#include <QString>

#include <exception>
#include <functional>
#include <utility>

/// The error handler every form procedure ends in: an exception is caught at the
/// procedure's edge and written as one error-log line (message, object, procedure);
/// the user sees nothing and the program goes on. The shell installs the writer
/// that appends to the error-log file; until then lines go to the debug output.
using ErrLogWriter = std::function<void(const QString &message, const QString &object, const QString &procedure)>;

void setErrLogWriter(ErrLogWriter writer);
void writeErrLog(const QString &message, const QString &object, const QString &procedure);

/// Runs body; on any exception writes the log line and returns false.
template <class F> bool trapErrors(const QString &object, const QString &procedure, F &&body) noexcept
{
    try {
        std::forward<F>(body)();
        return true;
    } catch (const std::exception &e) {
        writeErrLog(QString::fromUtf8(e.what()), object, procedure);
    } catch (...) {
        writeErrLog(QStringLiteral("不明なエラー"), object, procedure);
    }
    return false;
}
