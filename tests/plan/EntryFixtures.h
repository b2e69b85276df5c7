#pragma once

// Fixtures of the plan entry tests: a fresh database with one property, the
// settings file, stored loan rows, and driving forms as a user does.

#include "DbFixture.h"
#include "FormButtons.h"
#include "Globals.h"
#include "ImNumber.h"
#include "MsgBox.h"
#include "ShownBoxes.h"
#include "TypeText.h"
#include "cDao.h"
#include "cIni.h"
#include "mdlMain.h"

#include <QApplication>
#include <QLineEdit>
#include <QSqlError>
#include <QSqlQuery>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace EntryFixtures
{

inline int count(const QString &table, const QString &where = QString())
{
    return queryRows(QStringLiteral("SELECT COUNT(*) FROM ") + table +
                     (where.isEmpty() ? QString() : " WHERE " + where))
        .toInt();
}

/// A fresh database as the program's connection, the program folder beside it with
/// a settings file, the consumption tax at 5 percent, and property 1: site 1000 ㎡
/// at 100 a square metre, tax rates 1.4 and 0.3.
struct Env : DbFixture {
    bool setUp(const QByteArray &ini = QByteArray())
    {
        if (!DbFixture::setUp())
            return false;
        setAppPath(folder());
        writeIni(ini);
        gTaxRate = 5;
        return runSql(QStringLiteral("INSERT INTO D_物件 VALUES (1, '駅前', 1000, 100, 1.4, 0.3)"));
    }
    /// Makes text the settings file the program reads.
    void writeIni(const QByteArray &text) const
    {
        DbFixture::writeIni(text);
        gIni().setPro_IniPath(iniPath());
    }
};

/// A loan row of the stored (D_) or work (W_) table; start2 0 for one rate period.
inline bool addLoan(const QString &table, int id1, int id2, int renban, const QString &lender, int amount, int method,
                    int term, double rate1, int start2 = 0, double rate2 = 0)
{
    const QString second =
        start2 == 0 ? QStringLiteral("NULL,NULL,NULL") : QStringLiteral("%1,%2,%3").arg(start2).arg(term).arg(rate2);
    return runSql(QStringLiteral("INSERT INTO %1 VALUES (%2,%3,%4,'%5',%6,%7,1,%8,%9,%10,%11)")
                      .arg(table)
                      .arg(id1)
                      .arg(id2)
                      .arg(renban)
                      .arg(lender)
                      .arg(amount)
                      .arg(method)
                      .arg(start2 == 0 ? term : start2 - 1)
                      .arg(rate1)
                      .arg(second)
                      .arg(term));
}

template <class T = QWidget> T *child(QWidget *form, const char *name)
{
    return form->findChild<T *>(QString::fromLatin1(name));
}

/// Gives the box the focus, as a click would, and types over its content.
inline void type(QWidget *box, const QString &text)
{
    box->setFocus(Qt::MouseFocusReason);
    if (auto *edit = qobject_cast<QLineEdit *>(box))
        edit->selectAll();
    typeText(box, text);
}

inline void type(QWidget *form, const char *name, const QString &text)
{
    type(child(form, name), text);
}

inline void click(QWidget *form, const char *name)
{
    FormButtons::click(child(form, name));
}

/// Runs body on the next modal window that opens (a dialog shown by a click).
inline void onModal(std::function<void(QWidget *)> body)
{
    QTimer::singleShot(0, [body] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal) {
            onModal(body);
            return;
        }
        if (!QTest::qWaitForWindowExposed(modal)) {
            // Nothing waits on a dialog that never showed: it is closed and the test fails here.
            QTest::qFail("the dialog did not show", __FILE__, __LINE__);
            modal->close();
            return;
        }
        body(modal);
    });
}

inline QString focusName(QWidget *form)
{
    return form->focusWidget() ? form->focusWidget()->objectName() : QString();
}

inline QStringList prompts()
{
    QStringList out;
    for (const MsgBox::Shown &s : shownBoxes())
        out << s.prompt;
    return out;
}

} // namespace EntryFixtures
