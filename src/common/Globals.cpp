#include "Globals.h"

#include "cBase.h"
#include "cDao.h"

#include <memory>

namespace {
std::unique_ptr<cBase> s_base;
std::unique_ptr<cDao> s_dao;
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

void releaseGlobals()
{
    s_dao.reset();
    s_base.reset();
}
