#include "frmMsgbox.h"

#include "Globals.h"
#include "RegistryStore.h"
#include "cApl.h"
#include "cReg.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

// The notice after a registration, and the "do not show again" flag it stores.
class tst_frmMsgbox : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString storePath() const { return QDir(m_dir.path()).filePath(QStringLiteral("Vanrek.reg")); }
    QString storedFlag() const
    {
        return cReg(storePath()).GetRegStr(cApl::RegistryKey + QStringLiteral("\\Info\\DialogBox"));
    }

private Q_SLOTS:
    void init()
    {
        QFile::remove(storePath());
        RegistryStore::setFilePath(storePath());
        releaseGlobals(); // the installation values are read afresh from the empty store
    }

    void cleanupTestCase()
    {
        releaseGlobals();
        RegistryStore::setFilePath(QString());
    }

    void texts()
    {
        frmMsgbox dlg;
        QCOMPARE(dlg.windowTitle(), QStringLiteral("注意"));
        QCOMPARE(dlg.Label1->text(), QStringLiteral("新規物件を登録しました。"));
        QCOMPARE(dlg.Label2->text(), QStringLiteral("物件データの変更は出来ませんので、"));
        QCOMPARE(dlg.Label3->text(), QStringLiteral("変更したい場合は一度削除してから新規入力して下さい。"));
        QCOMPARE(dlg.Check1->text(), QStringLiteral("次回から表示しない"));
        QCOMPARE(dlg.Check1->isChecked(), false);
        QCOMPARE(dlg.Command1->text(), QStringLiteral("OK"));
        QCOMPARE(dlg.Image1->size(), QSize(36, 36));
        const QString dir = qEnvironmentVariable("VANREK_SHOT_DIR");
        if (!dir.isEmpty())
            dlg.grab().save(QDir(dir).filePath(QStringLiteral("frmMsgbox.png")));
    }

    void okStoresTheChoice_data()
    {
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<QString>("stored");
        QTest::newRow("ticked") << true << "1";
        QTest::newRow("unticked") << false << "";
    }

    void okStoresTheChoice()
    {
        QFETCH(bool, ticked);
        QFETCH(QString, stored);
        frmMsgbox dlg;
        QTimer::singleShot(0, &dlg, [&dlg, ticked] {
            if (ticked)
                QTest::mouseClick(dlg.Check1, Qt::LeftButton);
            QTest::mouseClick(dlg.Command1, Qt::LeftButton);
        });
        QCOMPARE(dlg.exec(), int(QDialog::Accepted));
        QCOMPARE(storedFlag(), stored);
        QCOMPARE(gApl().DialogBox(), stored);
        QCOMPARE(cApl().DialogBox(), stored); // as read after a restart
    }

    void closingOtherwiseStoresNothing()
    {
        frmMsgbox dlg;
        QTimer::singleShot(0, &dlg, [&dlg] {
            dlg.Check1->setChecked(true);
            dlg.reject(); // the window's close box or Escape
        });
        QCOMPARE(dlg.exec(), int(QDialog::Rejected));
        QCOMPARE(storedFlag(), QString());
        QCOMPARE(gApl().DialogBox(), QString());
    }
};

QTEST_MAIN(tst_frmMsgbox)
#include "tst_frmMsgbox.moc"
