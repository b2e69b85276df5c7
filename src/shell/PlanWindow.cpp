#include "PlanWindow.h"

#include "MDIForm1.h"
#include "PictureFile.h"
#include "mdlMain.h"

PlanWindow::PlanWindow(QWidget *parent) : QMdiSubWindow(parent) {}

PlanWindow::~PlanWindow() = default;

void PlanWindow::RefreshView()
{
    update();
}

MDIForm1 *PlanWindow::workspace() const
{
    return m_workspace.data();
}

void PlanWindow::setWorkspace(MDIForm1 *workspace)
{
    m_workspace = workspace;
}

void PlanWindow::releaseSlot()
{
    if (m_workspace)
        m_workspace->ReleaseID(m_id2);
}

bool PlanWindow::applyTypePicture()
{
    const int type = Pro_Type().toInt();
    if (type < 1 || type > 3)
        return true;
    const QString *const images[] = {&gImage1, &gImage2, &gImage3};
    const QString *const icons[] = {&gIcon1, &gIcon2, &gIcon3};
    bool pictureOk = true;
    bool iconOk = true;
    setImage(PictureFile::picture(*images[type - 1], &pictureOk));
    setWindowIcon(PictureFile::icon(*icons[type - 1], &iconOk));
    return pictureOk && iconOk;
}
