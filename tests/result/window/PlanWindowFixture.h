#pragma once

#include "DbFixture.h"
#include "ErrorTrap.h"
#include "Globals.h"
#include "MsgBox.h"
#include "PrinterSetupDialog.h"
#include "ShellHooks.h"
#include "TestFiles.h"
#include "cDao.h"
#include "cPrinter.h"
#include "frmGraph.h"
#include "mdlMain.h"

#include <QApplication>
#include <QDir>
#include <QPointer>
#include <QSqlQuery>
#include <QtTest>

// A fresh database for each test, the program's view settings at their defaults (every
// year, middle size, whole window), the error log in the database's folder, message boxes
// answered ahead of time, plan windows made by the real factory, and the program's print job
// and printer set-up dialog.
struct PlanWindowFixture : DbFixture {
    bool setUp()
    {
        if (!DbFixture::setUp())
            return false;
        setAppPath(folder());
        gDispInterval = 1;
        BuildYearFilter();
        gDispSize = 2;
        gGraphOnly = false;
        gMdiClosing = false;
        setErrLogWriter(&SetErrLog); // as the program installs it at start-up
        ShellHooks::reset();
        ShellHooks::setPlanWindowFactory([] { return new frmGraph; });
        cPrinter::install();
        ReportPrinter::setSetupRunner(&PrinterSetupDialog::run);
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
        setPrintJobFactory(nullptr);
        ReportPrinter::setSetupRunner(nullptr);
        setErrLogWriter(nullptr);
        DbFixture::tearDown();
        releaseGlobals();
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

    QString errorLog() const
    {
        return QString::fromUtf8(fileBytes(QDir(folder()).filePath(QStringLiteral("ErrLog.txt"))));
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
