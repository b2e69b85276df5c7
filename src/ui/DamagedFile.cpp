#include "DamagedFile.h"

#include "ErrorTrap.h"
#include "Globals.h"
#include "MsgBox.h"
#include "cDao.h"

#include <QDir>
#include <QWidget>

QString DamagedFileText(const QString &databasePath)
{
    return QStringLiteral("データベースファイル「%1」が壊れています。\r\n読み込めないデータがあります。")
        .arg(QDir::toNativeSeparators(databasePath));
}

void ShowDamagedFile(QWidget *parent)
{
    MsgBox::show(DamagedFileText(gDao().databasePath()), MsgBox::Exclamation, QStringLiteral("Vanrek"), parent);
}

void ShowDamagedFileOnce(QWidget *window, bool &told)
{
    if (told)
        return;
    told = true;
    if (window->isVisible()) {
        ShowDamagedFile(window);
        return;
    }
    QMetaObject::invokeMethod(
        window,
        [window] { trapErrors(window->objectName(), QStringLiteral("Init"), [window] { ShowDamagedFile(window); }); },
        Qt::QueuedConnection);
}
