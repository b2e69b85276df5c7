#include "Globals.h"

#include "cApl.h"
#include "cBase.h"
#include "cDao.h"
#include "cFile.h"
#include "cIni.h"

#include <QCoreApplication>

#include <memory>

namespace
{
std::unique_ptr<cBase> s_base;
std::unique_ptr<cDao> s_dao;
std::unique_ptr<cApl> s_apl;
std::unique_ptr<cFile> s_file;
std::unique_ptr<cIni> s_ini;

void releaseAll()
{
    releaseGlobals();
    s_ini.reset();
}

// The database connection must close while the application object and Qt's own
// registries still exist; at static destruction they are gone already.
bool s_cleanupRegistered = false;

template <class T> T &created(std::unique_ptr<T> &slot)
{
    if (!slot) {
        slot = std::make_unique<T>();
        if (!s_cleanupRegistered && QCoreApplication::instance()) {
            qAddPostRoutine(releaseAll);
            s_cleanupRegistered = true;
        }
    }
    return *slot;
}
} // namespace

cBase &gBase()
{
    return created(s_base);
}

cDao &gDao()
{
    return created(s_dao);
}

cApl &gApl()
{
    return created(s_apl);
}

cFile &gFile()
{
    return created(s_file);
}

cIni &gIni()
{
    return created(s_ini);
}

void releaseGlobals()
{
    s_apl.reset();
    s_file.reset();
    s_dao.reset();
    s_base.reset();
}
