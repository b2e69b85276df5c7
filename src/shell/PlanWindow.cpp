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

void PlanWindow::focusEdge(bool first)
{
    const QList<QWidget *> stops = tabStops(this);
    if (stops.isEmpty()) {
        // Not as by Tab: given the focus by Tab, the window would pass it straight on.
        setFocus(Qt::OtherFocusReason);
        return;
    }
    stops.at(first ? 0 : stops.size() - 1)->setFocus(first ? Qt::TabFocusReason : Qt::BacktabFocusReason);
}

bool PlanWindow::focusNextPrevChild(bool next)
{
    QWidget *focused = QApplication::focusWidget();
    // A control hidden under the focus (the window cut to its graph) hands it to the
    // window itself, not to a next control that is about to be hidden too.
    if (focused && isAncestorOf(focused) && !focused->isVisible()) {
        setFocus(Qt::OtherFocusReason);
        return true;
    }
    // From the last control Tab goes on to the workspace's buttons (Shift+Tab from the
    // first one), rather than round the window again; so it does from a window without
    // controls.
    const QList<QWidget *> stops = tabStops(this);
    const bool edge = stops.isEmpty() ? focused == this : focused == (next ? stops.last() : stops.first());
    if (m_workspace && edge && m_workspace->focusButtons(next))
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
