#pragma once

// Fixtures of the plan entry tests: a fresh database with one property, the
// settings file, stored loan rows, and driving forms as a user does.

#include "FormButtons.h"
#include "Globals.h"
#include "ImNumber.h"
#include "MsgBox.h"
#include "TestDb.h"
#include "TypeText.h"
#include "cDao.h"
#include "cIni.h"
#include "mdlMain.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

namespace EntryFixtures
{

inline bool exec(const QString &sql)
{
    QSqlQuery q(gDao().CurrentDB());
    if (!q.exec(sql)) {
        qWarning("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
        return false;
    }
    return true;
}

/// The rows of a query as "a|b;c|d", NULL written as NULL.
inline QString rows(const QString &sql)
{
    QSqlQuery q(gDao().CurrentDB());
    if (!q.exec(sql))
        return QStringLiteral("error: ") + q.lastError().text();
    QStringList out;
    while (q.next()) {
        QStringList fields;
        for (int i = 0; i < q.record().count(); ++i)
            fields << (q.value(i).isNull() ? QStringLiteral("NULL") : q.value(i).toString());
        out << fields.join(QLatin1Char('|'));
    }
    return out.join(QLatin1Char(';'));
}

inline int count(const QString &table, const QString &where = QString())
{
    return rows(QStringLiteral("SELECT COUNT(*) FROM ") + table + (where.isEmpty() ? QString() : " WHERE " + where))
        .toInt();
}

/// A fresh database as the program's connection, the program folder beside it with
/// a settings file, the consumption tax at 5 percent, and property 1: site 1000 ㎡
/// at 100 a square metre, tax rates 1.4 and 0.3.
struct Env {
    std::unique_ptr<TestDb> db;

    bool setUp(const QByteArray &ini = QByteArray())
    {
        MsgBox::clearHistory();
        MsgBox::setAutoAnswer(true);
        db = std::make_unique<TestDb>();
        if (!db->connectGlobal())
            return false;
        setAppPath(db->folder());
        writeIni(ini);
        gTaxRate = 5;
        return exec(QStringLiteral("INSERT INTO D_物件 VALUES (1, '駅前', 1000, 100, 1.4, 0.3)"));
    }
    void writeIni(const QByteArray &text) const
    {
        const QString path = QDir(db->folder()).filePath(QStringLiteral("Vanrek.ini"));
        QFile ini(path);
        if (ini.open(QIODevice::WriteOnly))
            ini.write(text);
        gIni().setPro_IniPath(path);
    }
    void tearDown()
    {
        gDao().Disconnect();
        db.reset();
    }
};

/// A loan row of the stored (D_) or work (W_) table; start2 0 for one rate period.
inline bool addLoan(const QString &table, int id1, int id2, int renban, const QString &lender, int amount, int method,
                    int term, double rate1, int start2 = 0, double rate2 = 0)
{
    const QString second =
        start2 == 0 ? QStringLiteral("NULL,NULL,NULL") : QStringLiteral("%1,%2,%3").arg(start2).arg(term).arg(rate2);
    return exec(QStringLiteral("INSERT INTO %1 VALUES (%2,%3,%4,'%5',%6,%7,1,%8,%9,%10,%11)")
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
        if (!QTest::qWaitForWindowExposed(modal))
            qWarning("the dialog did not show");
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
    for (const MsgBox::Shown &s : MsgBox::history())
        out << s.prompt;
    return out;
}

} // namespace EntryFixtures
