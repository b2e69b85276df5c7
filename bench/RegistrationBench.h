#pragma once

// What the registration benchmarks share: a timed click on an entry form's register
// button, and the comparison with the bare SQLite writes of the same rows, once with
// synchronous FULL and once with OFF on both connections.

#include "BenchData.h"
#include "FormButtons.h"
#include "Globals.h"
#include "cDao.h"

#include <QElapsedTimer>
#include <QWidget>

#include <functional>
#include <vector>

namespace bench
{

/// Microseconds from a click on the entry form's register button until the form is
/// done; *ok: the plan was stored.
template <class Form> double timeRegistration(Form &form, bool *ok)
{
    QElapsedTimer t;
    t.start();
    FormButtons::click(form.template findChild<QWidget *>(QStringLiteral("lbutAdd")));
    const double us = t.nsecsElapsed() / 1000.0;
    *ok = form.Pro_State();
    return us;
}

/// One run of a pass (pass 1 or 2, run 0 to 39): the registration's time and the
/// baseline's, each in microseconds; false when the registration did not store its rows.
using RegistrationRun = std::function<bool(int pass, int run, double *ours, double *base)>;
/// What a pass found: the synchronous mode, the two medians, every run stored.
using PassReport = std::function<void(const char *sync, double ours, double base, bool allOk)>;

inline void compareSyncModes(sqlite3 *bare, const RegistrationRun &run, const PassReport &report)
{
    int pass = 0;
    for (const char *sync : {"FULL", "OFF"}) {
        ++pass;
        const QString pragma = QStringLiteral("PRAGMA synchronous = %1").arg(QLatin1String(sync));
        gDao().Execute(pragma);
        exec(bare, pragma);
        std::vector<double> ours, base;
        bool allOk = true;
        for (int i = 0; i < 40; ++i) {
            double o = 0, b = 0;
            allOk = run(pass, i, &o, &b) && allOk;
            ours.push_back(o);
            base.push_back(b);
        }
        report(sync, median(ours), median(base), allOk);
    }
}

} // namespace bench
