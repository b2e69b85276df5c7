#include "DbFixture.h"
#include "Globals.h"
#include "LoanGrid.h"
#include "LoanGridModel.h"
#include "MsgBox.h"
#include "RentGrid.h"
#include "RentGridModel.h"
#include "frmDataDetail.h"
#include "frmInputApartment.h"
#include "frmInputKariire.h"
#include "frmInputParking.h"
#include "frmInputYatin.h"
#include "frmMsgbox.h"
#include "frmSysPrintDtl.h"
#include "frmSysPrintList.h"
#include "frmSystem.h"
#include "frmType.h"
#include "frmVersion.h"
#include "mdlMain.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>

#include <functional>

// Every form and dialog opens with the focus on the first control of its tab order that
// can take it, so what the user types first lands in a field.
class tst_FirstFocus : public QObject
{
    Q_OBJECT

private:
    DbFixture m_db;

    /// The focused control of the next modal window that opens, as "name" or "name[index]",
    /// once the window is active; the window is then closed. Without one for a minute (far
    /// above the moment a window takes, however busy the machine) it leaves focused empty.
    static void focusOfNextModal(QString *focused)
    {
        auto *poll = new QTimer;
        QElapsedTimer waited;
        waited.start();
        QObject::connect(poll, &QTimer::timeout, [poll, waited, focused] {
            QWidget *modal = QApplication::activeModalWidget();
            if (modal && !modal->isActiveWindow())
                modal->activateWindow();
            if (modal && modal->isActiveWindow()) {
                QWidget *w = QApplication::focusWidget();
                const QVariant index = w ? w->property("index") : QVariant();
                *focused = !w ? QStringLiteral("(none)")
                              : w->objectName() + (index.isValid() ? QStringLiteral("[%1]").arg(index.toInt()) : "");
            } else if (waited.elapsed() < 60000) {
                return;
            }
            poll->stop();
            poll->deleteLater();
            if (modal)
                modal->close();
        });
        poll->start(10);
    }

    /// Shows the form the way the program does; returns when it has closed.
    void open(const QString &form)
    {
        const QString folder = m_db.folder();
        QWidget owner;
        if (form == "frmDataDetail") {
            frmDataDetail(&owner).exec();
        } else if (form == "frmSystem") {
            frmSystem(&owner).exec();
        } else if (form == "frmType") {
            frmType chooser(&owner);
            chooser.setPro_ID1(1);
            chooser.setPro_ID2(1);
            chooser.exec();
        } else if (form == "frmVersion") {
            frmVersion(&owner).exec();
        } else if (form == "frmMsgbox") {
            frmMsgbox(&owner).exec();
        } else if (form == "frmSysPrintList") {
            frmSysPrintList(folder, &owner).exec();
        } else if (form.startsWith("frmSysPrintDtl")) {
            frmSysPrintDtl editor(folder, &owner);
            editor.SetData(1, form.endsWith("edit"), 1);
            editor.exec();
        } else if (form == "frmInputParking" || form == "frmInputApartment") {
            std::unique_ptr<PlanEntryDialog> f;
            if (form == "frmInputParking")
                f = std::make_unique<frmInputParking>(&owner);
            else
                f = std::make_unique<frmInputApartment>(&owner);
            f->setPro_ID1(1);
            f->setPro_ID2(1);
            f->showModal();
        } else if (form == "frmInputKariire") {
            (new LoanGrid(&owner))->DataKariire()->setPlan(&gDao(), 1, 1);
            frmInputKariire dialog(&owner);
            dialog.setPro_ID1(1);
            dialog.setPro_ID2(1);
            dialog.setPro_Renban(1);
            dialog.SetOwnerForm(&owner);
            dialog.showModal();
        } else if (form == "frmInputYatin") {
            (new RentGrid(&owner))->DataYatin()->setPlan(&gDao(), 1, 1);
            frmInputYatin dialog(&owner);
            dialog.setPro_ID1(1);
            dialog.setPro_ID2(1);
            dialog.setPro_Type(QStringLiteral("A"));
            dialog.SetOwnerForm(&owner);
            dialog.showModal();
        }
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_db.setUp());
        setAppPath(m_db.folder());
        execSql(QStringLiteral("INSERT INTO D_物件 VALUES (1, '駅前', 1000, 100, 1.4, 0.3)"));
    }
    void cleanup() { m_db.tearDown(); }

    void firstControlOfTheTabOrder_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("focused");
        QTest::newRow("property registration") << QStringLiteral("frmDataDetail") << QStringLiteral("txtName");
        QTest::newRow("system settings") << QStringLiteral("frmSystem") << QStringLiteral("numTax");
        QTest::newRow("plan-type chooser") << QStringLiteral("frmType") << QStringLiteral("butType[1]");
        QTest::newRow("notice") << QStringLiteral("frmMsgbox") << QStringLiteral("Check1");
        QTest::newRow("version") << QStringLiteral("frmVersion") << QStringLiteral("lbutClose");
        QTest::newRow("printer settings list") << QStringLiteral("frmSysPrintList") << QStringLiteral("TDBGrid");
        QTest::newRow("new printer setting") << QStringLiteral("frmSysPrintDtl new") << QStringLiteral("cmbReport");
        // The report name of a stored setting is shown, not edited.
        QTest::newRow("stored printer setting") << QStringLiteral("frmSysPrintDtl edit") << QStringLiteral("cmbPrint");
        QTest::newRow("parking plan") << QStringLiteral("frmInputParking") << QStringLiteral("txtName");
        QTest::newRow("apartment plan") << QStringLiteral("frmInputApartment") << QStringLiteral("txtName");
        QTest::newRow("loan row") << QStringLiteral("frmInputKariire") << QStringLiteral("txtName");
        // The type letter is shown, not edited.
        QTest::newRow("rent row") << QStringLiteral("frmInputYatin") << QStringLiteral("txtMadori");
    }
    void firstControlOfTheTabOrder()
    {
        QFETCH(QString, form);
        QFETCH(QString, focused);
        QString seen;
        focusOfNextModal(&seen);
        open(form);
        QCOMPARE(seen, focused);
    }
};

QTEST_MAIN(tst_FirstFocus)
#include "tst_FirstFocus.moc"
