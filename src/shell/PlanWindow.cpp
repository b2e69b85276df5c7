#include "PlanWindow.h"

#include "PictureFile.h"
#include "PlanType.h"
#include "PlanWorkspace.h"
#include "mdlMain.h"

#include <QApplication>

PlanWindow::PlanWindow(QWidget *parent) : QMdiSubWindow(parent) {}

PlanWindow::~PlanWindow() = default;

void PlanWindow::RefreshView()
{
    update();
}

void PlanWindow::releaseSlot()
{
    if (m_workspace)
        m_workspace->ReleaseID(m_id2);
}

namespace
{

// The window's controls that Tab stops at, in the order Tab visits them.
QList<QWidget *> tabStops(QWidget *window)
{
    QList<QWidget *> out;
    for (QWidget *w = window->nextInFocusChain(); w && w != window; w = w->nextInFocusChain())
        if (window->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(window))
            out << w;
    return out;
}

} // namespace

bool PlanWindow::focusEdge(bool first)
{
    const QList<QWidget *> stops = tabStops(this);
    if (stops.isEmpty())
        return false;
    stops.at(first ? 0 : stops.size() - 1)->setFocus(first ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

bool PlanWindow::focusNextPrevChild(bool next)
{
    // From the last control Tab goes on to the workspace's buttons (Shift+Tab from the
    // first one), rather than round the window again.
    const QList<QWidget *> stops = tabStops(this);
    QWidget *focused = QApplication::focusWidget();
    if (m_workspace && !stops.isEmpty() && focused == (next ? stops.last() : stops.first()) &&
        m_workspace->focusButtons(next))
        return true;
    return QMdiSubWindow::focusNextPrevChild(next);
}

void PlanWindow::setPlanIcon(const QIcon &icon)
{
    // A window given a null icon would show the toolkit's; it shows the program's.
    setWindowIcon(icon.isNull() ? QApplication::windowIcon() : icon);
}

bool PlanWindow::applyTypePicture()
{
    const std::optional<PlanType> type = planTypeOf(Pro_Type().toInt());
    if (!type)
        return true;
    const bool parking = *type == PlanType::Parking;
    const bool apartment = *type == PlanType::Apartment;
    const QString &imageFile = parking ? gImage1 : apartment ? gImage2 : gImage3;
    const QString &iconFile = parking ? gIcon1 : apartment ? gIcon2 : gIcon3;
    // An empty path clears; a file that cannot be read leaves what is shown.
    bool pictureOk = true;
    bool iconOk = true;
    const QPixmap picture = PictureFile::picture(imageFile, &pictureOk);
    if (pictureOk)
        setImage(picture);
    const QIcon icon = PictureFile::icon(iconFile, &iconOk);
    if (iconOk)
        setPlanIcon(icon);
    return pictureOk && iconOk;
}
