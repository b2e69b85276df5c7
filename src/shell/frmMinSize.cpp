#include "frmMinSize.h"

#include "Styling.h"

#include <QStyle>
#include <QStyleOptionTitleBar>

frmMinSize::frmMinSize(QWidget *parent) : QMdiSubWindow(parent)
{
    setObjectName(QStringLiteral("frmMinSize"));
    auto *client = new QWidget(this);
    client->setFixedSize(twipsToPixelsX(1590), twipsToPixelsY(30));
    setWidget(client);
}

double frmMinSize::OuterHeight()
{
    frmMinSize probe;
    QStyleOptionTitleBar option;
    option.initFrom(&probe);
    const int title = probe.style()->pixelMetric(QStyle::PM_TitleBarHeight, &option, &probe);
    const int frame = probe.style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, &probe);
    return pixelsToTwipsY(title + 2 * frame + twipsToPixelsY(30));
}
