#pragma once

#include <QString>

#include <exception>
#include <functional>
#include <stdexcept>
#include <utility>

/// The error handler every form procedure ends in: an exception is caught at the
/// procedure's edge and written as one error-log line (message, object, procedure);
/// the user sees nothing and the program goes on. The shell installs the writer
/// that appends to the error-log file; until then lines go to the debug output.
using ErrLogWriter = std::function<void(const QString &message, const QString &object, const QString &procedure)>;

void setErrLogWriter(ErrLogWriter writer);
void writeErrLog(const QString &message, const QString &object, const QString &procedure);
/// For a failure that repeats at every call (a settings file that cannot be read): writes
/// the line unless it is the one `last` holds, and keeps it there; an empty message (the
/// call worked) forgets it, so that the next failure is written again.
void writeErrLogOnce(QString &last, const QString &message, const QString &object, const QString &procedure);
/// The words the error log keeps for an error: its message, and for a failure of the
/// database engine the engine's own words after it (DaoError::logText).
QString errorLogText(const std::exception &error);

/// An error of a named step of a service (a routine of the registration, say). The
/// form that catches it logs the step's name, not its own handler's, so the log line
/// says where the work failed; logText, when given, is what the log keeps of the error
/// that ended the step (errorLogText), the message otherwise.
class ProcedureError : public std::runtime_error
{
public:
    ProcedureError(const QString &procedure, const QString &message, const QString &logText = QString())
        : std::runtime_error(message.toStdString()), m_procedure(procedure),
          m_logText(logText.isEmpty() ? message : logText)
    {
    }
    QString procedure() const { return m_procedure; }
    QString message() const { return QString::fromUtf8(what()); }
    QString logText() const { return m_logText; }

private:
    QString m_procedure;
    QString m_logText;
};

namespace detail
{
inline QString stepName(const QString &name)
{
    return name;
}
inline QString stepName(const char *name)
{
    return QString::fromUtf8(name);
}
} // namespace detail

/// Runs body as the named step of a service (a QString or a UTF-8 text, turned into
/// a name only when it fails) and returns what body returns. An error leaves as a
/// ProcedureError of this step with its message, unless it already names a step:
/// then the step deeper in, where the work failed, keeps its name.
template <class Name, class F> decltype(auto) asStep(const Name &procedure, F &&body)
{
    try {
        return std::forward<F>(body)();
    } catch (const ProcedureError &) {
        throw;
    } catch (const std::exception &e) {
        throw ProcedureError(detail::stepName(procedure), QString::fromUtf8(e.what()), errorLogText(e));
    }
}

/// Runs body; on any exception writes the log line and returns false.
template <class F> bool trapErrors(const QString &object, const QString &procedure, F &&body) noexcept
{
    try {
        std::forward<F>(body)();
        return true;
    } catch (const ProcedureError &e) {
        writeErrLog(e.logText(), object, e.procedure());
    } catch (const std::exception &e) {
        writeErrLog(errorLogText(e), object, procedure);
    } catch (...) {
        writeErrLog(QStringLiteral("不明なエラー"), object, procedure);
    }
    return false;
}
