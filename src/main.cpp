#include "Globals.h"
#include "cDao.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString path = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("DB/Vanrek.mdb"));
    if (!gDao().Connect(path, false)) {
        QMessageBox::critical(nullptr, QStringLiteral("Main"), QStringLiteral("Localﾃﾞｰﾀﾍﾞｰｽに接続できません。"));
        return 1;
    }
    QMessageBox::information(nullptr, QStringLiteral("Vanrek"), QStringLiteral("データベースに接続しました。"));
    releaseGlobals();
    return 0;
}
