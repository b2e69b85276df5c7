#include "GraphPicture.h"

#include "PlanGraph.h"
#include "Twips.h"

#include <QPainter>

GraphPicture::GraphPicture(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("picGraph"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QColor GraphPicture::backColor() const
{
    // The picture box's back colour, which the graph's plot area keeps too.
    return PlanGraphInput().plotBackColor;
}

QSizeF GraphPicture::sizeTwips() const
{
    return QSizeF(pixelsToTwipsX(width(), this), pixelsToTwipsY(height(), this));
}

void GraphPicture::clear()
{
    m_drawing = DrawList();
    m_drawing.size = sizeTwips();
    const QSize pixels = size() * devicePixelRatioF();
    if (m_image.size() != pixels) {
        m_image = QPixmap(pixels);
        m_image.setDevicePixelRatio(devicePixelRatioF());
    }
    m_image.fill(backColor());
    update();
}

void GraphPicture::draw(const DrawList &list)
{
    clear();
    m_drawing = list;
    if (list.items.empty())
        return;
    QPainter painter(&m_image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    paintDrawList(painter, list, QRectF(QPointF(0, 0), QSizeF(size())));
}

void GraphPicture::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    QPainter painter(this);
    // Until the window draws again after a new size, the part the image does not cover
    // shows the back colour.
    painter.fillRect(rect(), backColor());
    if (!m_image.isNull())
        painter.drawPixmap(0, 0, m_image);
}
