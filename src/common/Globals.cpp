#include "Globals.h"

#include "cApl.h"
#include "cBase.h"
#include "cDao.h"
#include "cFile.h"
#include "cIni.h"

#include <memory>

namespace
{
std::unique_ptr<cBase> s_base;
std::unique_ptr<cDao> s_dao;
std::unique_ptr<cApl> s_apl;
std::unique_ptr<cFile> s_file;
std::unique_ptr<cIni> s_ini;
} // namespace

cBase &gBase()
{
    if (!s_base)
        s_base = std::make_unique<cBase>();
    return *s_base;
}

cDao &gDao()
{
    if (!s_dao)
        s_dao = std::make_unique<cDao>();
    return *s_dao;
}

cApl &gApl()
{
    if (!s_apl)
        s_apl = std::make_unique<cApl>();
    return *s_apl;
}

cFile &gFile()
{
    if (!s_file)
        s_file = std::make_unique<cFile>();
    return *s_file;
}

cIni &gIni()
{
    if (!s_ini)
        s_ini = std::make_unique<cIni>();
    return *s_ini;
}

void releaseGlobals()
{
    s_apl.reset();
    s_file.reset();
    s_dao.reset();
    s_base.reset();
}
