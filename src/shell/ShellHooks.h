#pragma once

#include "PlanType.h"

#include <QVariant>

#include <functional>
#include <memory>

class PlanWindow;
class QWidget;

/// What the plan-type chooser needs of a plan entry form: the property and plan
/// numbers set before it is shown modally, and afterwards whether it registered the plan.
class PlanEntryForm
{
public:
    virtual ~PlanEntryForm() = default;
    virtual void setPro_ID1(const QVariant &id1) = 0;
    virtual void setPro_ID2(const QVariant &id2) = 0;
    /// Shows the form modally; returns when it has closed.
    virtual void showModal() = 0;
    /// True when the plan was registered.
    virtual bool Pro_State() const = 0;
};

/// The points where the plan entry forms, the plan windows and the printer
/// settings plug into the shell. main() fills them; tests fill them with doubles.
/// An empty hook means that window is not built into this program.
namespace ShellHooks
{

using PlanWindowFactory = std::function<PlanWindow *()>;
using EntryFormFactory = std::function<std::unique_ptr<PlanEntryForm>(QWidget *owner)>;
using DialogHook = std::function<void(QWidget *owner)>;

/// Creates a new, not yet loaded plan window.
void setPlanWindowFactory(PlanWindowFactory factory);
PlanWindow *createPlanWindow();

/// The entry form of a plan type (parking, apartment), created fresh for each use.
void setEntryFormFactory(PlanType planType, EntryFormFactory factory);
std::unique_ptr<PlanEntryForm> createEntryForm(PlanType planType, QWidget *owner);

/// The printer-settings list, shown modally from the File menus.
void setPrinterSettings(DialogHook show);
void showPrinterSettings(QWidget *owner);

/// Empties every hook.
void reset();

} // namespace ShellHooks
