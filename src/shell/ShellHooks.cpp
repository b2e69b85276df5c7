#include "ShellHooks.h"

#include "PlanWindow.h"

#include <QHash>

namespace
{

struct Hooks {
    ShellHooks::PlanWindowFactory planWindow;
    QHash<int, ShellHooks::EntryFormFactory> entryForms;
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

void ShellHooks::setEntryFormFactory(int planType, EntryFormFactory factory)
{
    hooks().entryForms.insert(planType, std::move(factory));
}

std::unique_ptr<PlanEntryForm> ShellHooks::createEntryForm(int planType, QWidget *owner)
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
