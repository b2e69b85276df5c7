#include "QtTranslation.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QLibraryInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

// Qt's own dialogs and buttons in Japanese.
class tst_QtTranslation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void missingCatalogueKeepsEnglish()
    {
        QTemporaryDir empty;
        QVERIFY(!installQtTranslation(empty.path()));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
    }

    void japaneseCatalogueIsInstalled()
    {
        // The set-up installs Qt's translations; without them the file picker and print dialog are English.
        const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
        QVERIFY2(QFile::exists(folder + QStringLiteral("/qtbase_ja.qm")), qPrintable(folder));
        QVERIFY(installQtTranslation());
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("キャンセル"));
        QDialogButtonBox buttons(QDialogButtonBox::Open | QDialogButtonBox::Cancel);
        QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("キャンセル"));
    }
};

QTEST_MAIN(tst_QtTranslation)
#include "tst_QtTranslation.moc"
