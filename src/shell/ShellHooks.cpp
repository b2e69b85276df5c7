#include "ShellHooks.h"

#include "PlanWindow.h"

#include <QMap>

namespace
{

struct Hooks {
    ShellHooks::PlanWindowFactory planWindow;
    QMap<PlanType, ShellHooks::EntryFormFactory> entryForms;
    ShellHooks::DialogHook printerSettings;
};

Hooks &hooks()
{
    static Hooks h;
    return h;
}

} // namespace

void ShellHooks::setPlanWindowFactory(PlanWindowFactory factory)
{
    hooks().planWindow = std::move(factory);
}

PlanWindow *ShellHooks::createPlanWindow()
{
    return hooks().planWindow ? hooks().planWindow() : nullptr;
}

void ShellHooks::setEntryFormFactory(PlanType planType, EntryFormFactory factory)
{
    hooks().entryForms.insert(planType, std::move(factory));
}

std::unique_ptr<PlanEntryForm> ShellHooks::createEntryForm(PlanType planType, QWidget *owner)
{
    const auto it = hooks().entryForms.constFind(planType);
    if (it == hooks().entryForms.constEnd() || !*it)
        return nullptr;
    return (*it)(owner);
}

void ShellHooks::setPrinterSettings(DialogHook show)
{
    hooks().printerSettings = std::move(show);
}

void ShellHooks::showPrinterSettings(QWidget *owner)
{
    if (hooks().printerSettings)
        hooks().printerSettings(owner);
}

void ShellHooks::reset()
{
    hooks() = Hooks();
}
