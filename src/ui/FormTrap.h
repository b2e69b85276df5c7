#pragma once

#include "DaoRows.h"
#include "ErrorTrap.h"
#include "MsgBox.h"

#include <QString>

#include <utility>

class QWidget;

/// A form's error handler. Every event handler of a form runs its body through the
/// form's trap, so an exception is written to the error log with the form's name and
/// the handler's name and never reaches Qt. The one convention for failures:
/// services throw; the form's edge catches here; a transaction the body opened has
/// rolled back as the exception left it; the user is told when the form says so.
class FormTrap
{
public:
    /// What the user is told when a write they asked for failed.
    struct Failure {
        QString message;
        QString title = QStringLiteral("確認");
        int style = MsgBox::Exclamation;
    };

    explicit FormTrap(QString object) : m_object(std::move(object)) {}
    const QString &object() const { return m_object; }

    /// Runs body; an exception is logged and false returned.
    template <class F> bool operator()(const QString &procedure, F &&body) const noexcept
    {
        return trapErrors(m_object, procedure, std::forward<F>(body));
    }
    template <class F> bool operator()(const char *procedure, F &&body) const noexcept
    {
        return trapErrors(m_object, QString::fromLatin1(procedure), std::forward<F>(body));
    }

    /// Runs body as above; true when it failed because the database file is damaged
    /// (DaoError::isDamage), which the form then tells the user (DamagedFile.h).
    template <class F> bool failsOnDamage(const char *procedure, F &&body) const noexcept
    {
        bool damaged = false;
        (*this)(procedure, [&] {
            try {
                body();
            } catch (const DaoError &e) {
                damaged = e.isDamage();
                throw;
            }
        });
        return damaged;
    }

    /// Runs body; an exception is logged, the user is shown failure, and false returned.
    template <class F>
    bool report(const char *procedure, QWidget *parent, const Failure &failure, F &&body) const noexcept
    {
        if ((*this)(procedure, std::forward<F>(body)))
            return true;
        trapErrors(m_object, QString::fromLatin1(procedure),
                   [&] { MsgBox::show(failure.message, failure.style, failure.title, parent); });
        return false;
    }

    /// A handler to connect to a signal: each call runs body through the trap.
    template <class F> auto handler(const char *procedure, F body) const
    {
        return [object = m_object, name = QString::fromLatin1(procedure), body]() mutable {
            trapErrors(object, name, body);
        };
    }

private:
    QString m_object;
};
