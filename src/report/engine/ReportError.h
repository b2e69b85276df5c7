#pragma once

#include <QString>

#include <stdexcept>

/// An error of the report engine: a number and a description, as the report's error
/// handler shows them.
class ReportError : public std::runtime_error
{
public:
    /// JobRefused: the print system did not take a finished job (or its file could not be
    /// written); it is the print job's failure, not the layout's.
    enum Number { General = 1, PrinterNotFound = 2, BadOrientation = 3, OutputFailed = 4, JobRefused = 5 };

    ReportError(int number, const QString &description)
        : std::runtime_error(description.toStdString()), m_number(number)
    {
    }
    int number() const { return m_number; }
    QString description() const { return QString::fromStdString(what()); }

private:
    int m_number;
};
