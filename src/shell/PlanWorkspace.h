#pragma once

#include <QList>

class PlanWindow;

/// What a plan window needs of the workspace that holds it (MDIForm1): its number
/// freed when it closes, the reload of every plan window after it changed the plans,
/// the workspace's buttons for Tab, the word that the file is damaged, and whether the
/// workspace is closing.
class PlanWorkspace
{
public:
    /// Frees a plan number (a plan window's close) and enables the new-plan button.
    virtual void ReleaseID(int idx) = 0;
    /// The open plan windows, in the order they were created.
    virtual QList<PlanWindow *> planWindows() const = 0;
    /// Init, then ReDraw, on every open plan window in turn but a window just loaded.
    virtual void reloadPlanWindows(const PlanWindow *loaded = nullptr) = 0;
    /// Gives the focus to the first button of the tool bar that can take it (the last
    /// one when first is false); false when neither can.
    virtual bool focusButtons(bool first) = 0;
    /// Tells the user that the database file is damaged, once per opening of the
    /// workspace however many of its windows find it so.
    virtual void reportDamagedFile() = 0;
    /// True once the workspace was asked to close (gMdiClosing): its plan windows then
    /// close without the discard question and keep their plans.
    virtual bool isClosing() const = 0;

protected:
    ~PlanWorkspace() = default;
};
