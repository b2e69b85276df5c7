#pragma once

#include "ErrorTrap.h"
#include "Globals.h"
#include "MsgBox.h"
#include "ShellHooks.h"
#include "TestDb.h"
#include "cDao.h"
#include "frmGraph.h"
#include "mdlMain.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QSqlQuery>
#include <QtTest>

#include <memory>

// A fresh database for each test, the program's view settings at their defaults (every
// year, middle size, whole window), the error log in the database's folder, message boxes
// answered ahead of time and plan windows made by the real factory.
struct PlanWindowFixture {
    std::unique_ptr<TestDb> db;

    bool setUp()
    {
        db = std::make_unique<TestDb>();
        if (!db->connectGlobal())
            return false;
        setAppPath(db->folder());
        gDispInterval = 1;
        BuildYearFilter();
        gDispSize = 2;
        gGraphOnly = false;
        gMdiClosing = false;
        MsgBox::setAutoAnswer(true);
        MsgBox::clearHistory();
        setErrLogWriter(&SetErrLog); // as the program installs it at start-up
        ShellHooks::reset();
        ShellHooks::setPlanWindowFactory([] { return new frmGraph; });
        return true;
    }

    void tearDown()
    {
        QList<QPointer<QWidget>> windows;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (!w->parentWidget())
                windows << w;
        for (const QPointer<QWidget> &w : windows)
            delete w.data();
        ShellHooks::reset();
        setErrLogWriter(nullptr);
        releaseGlobals();
        db.reset();
    }

    // A plan window outside a workspace, loaded as the workspace loads it.
    static frmGraph *open(int id1, int id2)
    {
        auto *w = new frmGraph;
        w->setAttribute(Qt::WA_DeleteOnClose);
        w->setPro_ID1(id1);
        w->setPro_ID2(id2);
        w->Form_Load();
        w->show();
        return w;
    }

    static int count(const QString &table, int id1, int id2)
    {
        QSqlQuery q(gDao().CurrentDB());
        if (!q.exec(
                QStringLiteral("SELECT count(*) FROM %1 WHERE ID1 = %2 AND ID2 = %3").arg(table).arg(id1).arg(id2)) ||
            !q.next())
            return -1;
        return q.value(0).toInt();
    }

    static bool exec(const QString &sql)
    {
        QSqlQuery q(gDao().CurrentDB());
        return q.exec(sql);
    }

    QString errorLog() const
    {
        QFile file(QDir(db->folder()).filePath(QStringLiteral("ErrLog.txt")));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    // The texts the graph prints, in drawing order.
    static QStringList texts(const DrawList &list, const QColor &colour = QColor())
    {
        QStringList out;
        for (const DrawItem &item : list.items)
            if (item.kind == DrawItem::Text && (!colour.isValid() || item.pen == colour))
                out << item.text;
        return out;
    }
};
