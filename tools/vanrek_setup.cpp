// Creates the files the program expects beside its executable, each only when it
// is missing: the database "DB/Vanrek.mdb" from the scripts of db/.
// A user's existing file is never touched.
#include "DbBuilder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream err(stderr);
    if (args.size() != 3) {
        err << "usage: vanrek_setup <db script folder> <program folder>\n";
        return 2;
    }
    const QString sqlDir = args.at(1);
    const QDir appDir(args.at(2));
    const QString dbPath = appDir.filePath(QStringLiteral("DB/Vanrek.mdb"));
    if (!QFileInfo::exists(dbPath)) {
        QString error;
        if (!DbBuilder::create(dbPath, sqlDir, &error)) {
            err << "vanrek_setup: " << error << "\n";
            return 1;
        }
        QTextStream(stdout) << "created " << dbPath << "\n";
    }
    return 0;
}
