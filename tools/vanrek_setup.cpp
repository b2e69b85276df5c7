// Creates the files the program expects beside its executable, each only when it
// is missing: the database "DB/Vanrek.mdb" from the scripts of db/.
// A user's existing file is never touched.
#include "DbBuilder.h"
#include "RegistryStore.h"
#include "cApl.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

// The default settings file "Vanrek.ini" (data/ beside db/ in the source tree) is
// copied beside the program when none is there; a user's file is never replaced.
static bool installDefaultSettings(const QString &sqlDir, const QDir &appDir, QTextStream &err)
{
    const QString target = appDir.filePath(QStringLiteral("Vanrek.ini"));
    if (QFileInfo::exists(target))
        return true;
    const QString source = QDir(sqlDir).filePath(QStringLiteral("../data/Vanrek.ini"));
    if (!QFile::copy(source, target)) {
        err << "vanrek_setup: cannot copy " << source << " to " << target << "\n";
        return false;
    }
    QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::WriteOwner | QFileDevice::WriteUser);
    QTextStream(stdout) << "created " << target << "\n";
    return true;
}

// The installation values in the registry file "Vanrek.reg" beside the program:
// each button kind's underline colour (RRRGGGBBB) is written only where the
// installation has none, so colours set by hand are kept.
static bool installDefaultRegistry(const QDir &appDir, QTextStream &err)
{
    static const char *const colours[][2] = {{"Exit", "255000000"},   {"Query", "000128255"}, {"Print", "255128000"},
                                             {"New", "000160000"},    {"Add", "000160160"},   {"Delete", "192000128"},
                                             {"Detail", "128000255"}, {"Clear", "224160000"}};
    RegistryStore store(appDir.filePath(QStringLiteral("Vanrek.reg")));
    const QString key = cApl::RegistryKey + QStringLiteral("\\Color\\Line");
    if (!store.createKey(key)) {
        err << "vanrek_setup: cannot write " << store.path() << "\n";
        return false;
    }
    for (const auto &[name, colour] : colours) {
        if (store.value(key, QLatin1String(name)))
            continue;
        if (!store.setValue(key, QLatin1String(name), {RegistryStore::String, QLatin1String(colour), 0})) {
            err << "vanrek_setup: cannot write " << store.path() << "\n";
            return false;
        }
    }
    return true;
}

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
    if (!installDefaultSettings(sqlDir, appDir, err))
        return 1;
    if (!installDefaultRegistry(appDir, err))
        return 1;
    return 0;
}
