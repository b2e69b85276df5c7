#pragma once

#include <QByteArray>
#include <QtGlobal>

/// While it lives, the environment variable holds value; afterwards it holds what it held
/// before, or is unset again.
class EnvironmentValue
{
public:
    EnvironmentValue(const char *name, const QByteArray &value)
        : m_name(name), m_wasSet(qEnvironmentVariableIsSet(name)), m_saved(qgetenv(name))
    {
        qputenv(name, value);
    }
    ~EnvironmentValue()
    {
        if (m_wasSet)
            qputenv(m_name, m_saved);
        else
            qunsetenv(m_name);
    }
    EnvironmentValue(const EnvironmentValue &) = delete;
    EnvironmentValue &operator=(const EnvironmentValue &) = delete;

private:
    const char *m_name;
    bool m_wasSet;
    QByteArray m_saved;
};
