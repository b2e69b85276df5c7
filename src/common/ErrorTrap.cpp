#include "ErrorTrap.h"

#include "DaoRows.h"

#include <QDebug>

namespace
{
ErrLogWriter &writerSlot()
{
    static ErrLogWriter w;
    return w;
}
} // namespace

void setErrLogWriter(ErrLogWriter writer)
{
    writerSlot() = std::move(writer);
}

void writeErrLog(const QString &message, const QString &object, const QString &procedure)
{
    try {
        if (writerSlot()) {
            writerSlot()(message, object, procedure);
            return;
        }
        qWarning().noquote() << object << procedure << message;
    } catch (...) {
        // The error handler itself must never throw into an event handler.
    }
}

void writeErrLogOnce(QString &last, const QString &message, const QString &object, const QString &procedure)
{
    if (!message.isEmpty() && message != last)
        writeErrLog(message, object, procedure);
    last = message;
}

QString errorLogText(const std::exception &error)
{
    if (const auto *data = dynamic_cast<const DaoError *>(&error))
        return data->logText();
    if (const auto *step = dynamic_cast<const ProcedureError *>(&error))
        return step->logText();
    return QString::fromUtf8(error.what());
}
