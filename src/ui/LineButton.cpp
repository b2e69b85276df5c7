#include "LineButton.h"

#include "ErrorTrap.h"
#include "VbColor.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

#include <cfenv>
#include <cmath>

namespace
{

constexpr int kSegment0Width = 4;
constexpr int kSegmentWidth = 2;

int red(quint32 c)
{
    return int(c & 0xFF);
}
int green(quint32 c)
{
    return int((c >> 8) & 0xFF);
}
int blue(quint32 c)
{
    return int((c >> 16) & 0xFF);
}

quint32 compose(int r, int g, int b)
{
    return quint32(r) + 256u * quint32(g) + 65536u * quint32(b);
}

} // namespace

LineButton::LineButton(QWidget *parent) : QWidget(parent)
{
    setProperty("vbTypeName", QStringLiteral("LineButton"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
    DrawUnderline();
    updateMinimum();
}

LineButton::LineButton(const QString &caption, QWidget *parent) : LineButton(parent)
{
    setCaption(caption);
}

void LineButton::setCaption(const QString &caption)
{
    m_caption = caption;
    updateGeometry();
    update();
}

void LineButton::setLineColor(quint32 colour)
{
    m_lineColor = colour;
    DrawUnderline();
}

void LineButton::setBackColor(quint32 colour)
{
    m_backColor = colour;
    update();
}

quint32 LineButton::TranslateColor(quint32 colour)
{
    return VbColor::translate(colour);
}

double LineButton::RangeCheck(double value, double min, double max)
{
    if (value < min)
        return min;
    if (value > max)
        return max;
    return value;
}

quint32 LineButton::Bright(quint32 colour, int amount)
{
    const quint32 c = TranslateColor(colour);
    const int r = int(RangeCheck(red(c) + amount, 0, 255));
    const int g = int(RangeCheck(green(c) + amount, 0, 255));
    const int b = int(RangeCheck(blue(c) + amount, 0, 255));
    return compose(r, g, b);
}

quint32 LineButton::Contrast(quint32 colour, int percent)
{
    const quint32 c = TranslateColor(colour);
    auto part = [percent](int v) {
        const double moved = double((v - 128) * percent) / 100.0 + 128.0;
        // Halves go to the even number.
        const int saved = std::fegetround();
        std::fesetround(FE_TONEAREST);
        const int r = int(std::nearbyint(RangeCheck(moved, 0, 255)));
        std::fesetround(saved);
        return r;
    };
    return compose(part(red(c)), part(green(c)), part(blue(c)));
}

void LineButton::DrawUnderline()
{
    for (int i = 0; i < SegmentCount; ++i) {
        const int amount = int(std::lround((i - 14.0 / 3.0) * 20.0));
        m_segmentColour[i] = Bright(m_lineColor, amount);
    }
    update();
}

LineButton::Segment LineButton::segment(int index) const
{
    Segment s;
    if (index < 0 || index >= SegmentCount)
        return s;
    const double w = width();
    s.colour = m_segmentColour[index];
    s.width = index == 0 ? kSegment0Width : kSegmentWidth;
    s.x1 = index * w / 28.0;
    s.x2 = w - s.x1;
    s.y = height() - underlineHeight();
    return s;
}

void LineButton::updateMinimum()
{
    const QFontMetrics fm(font());
    setMinimumSize(qMax(1, fm.horizontalAdvance(QLatin1Char(' '))), fm.height() + underlineHeight());
}

QSize LineButton::minimumSizeHint() const
{
    const QFontMetrics fm(font());
    return {qMax(1, fm.horizontalAdvance(QLatin1Char(' '))), fm.height() + underlineHeight()};
}

QSize LineButton::sizeHint() const
{
    const QFontMetrics fm(font());
    const int w = qMax(fm.horizontalAdvance(m_caption) + 24, 75);
    return {w, fm.height() + 10 + underlineHeight()};
}

void LineButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    QStyleOptionButton opt;
    opt.initFrom(this);
    opt.rect = QRect(0, 0, width(), height() - underlineHeight());
    opt.text = m_caption;
    opt.features = QStyleOptionButton::None;
    if (hasFocus())
        opt.state |= QStyle::State_KeyboardFocusChange; // the focused button always shows it
    if (m_down)
        opt.state |= QStyle::State_Sunken;
    else
        opt.state |= QStyle::State_Raised;
    const QColor face = VbColor::toQColor(m_backColor);
    opt.palette.setColor(QPalette::Button, face);
    style()->drawControl(QStyle::CE_PushButton, &opt, &p, this);

    // Segment 0 first, 13 last: the narrower, brighter segments lie on top.
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int i = 0; i < SegmentCount; ++i) {
        const Segment s = segment(i);
        QPen pen(VbColor::toQColor(s.colour));
        pen.setWidth(s.width);
        pen.setCapStyle(Qt::FlatCap);
        p.setPen(pen);
        p.drawLine(QPointF(s.x1, s.y), QPointF(s.x2, s.y));
    }
}

void LineButton::emitTrapped(void (LineButton::*signal)(), const char *procedure)
{
    trapErrors(objectName().isEmpty() ? QStringLiteral("LineButton") : objectName(), QString::fromLatin1(procedure),
               [this, signal] {
                   Q_EMIT(this->*signal)
                   ();
               });
}

void LineButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_down = true;
    update();
}

void LineButton::mouseMoveEvent(QMouseEvent *event)
{
    if (!(event->buttons() & Qt::LeftButton))
        return;
    const bool inside = rect().contains(event->position().toPoint());
    if (inside != m_down) {
        m_down = inside;
        update();
    }
}

void LineButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const bool click = m_down && rect().contains(event->position().toPoint());
    m_down = false;
    update();
    if (click)
        emitTrapped(&LineButton::Click, "Click");
}

void LineButton::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Space:
        if (!event->isAutoRepeat()) {
            m_spaceDown = true;
            m_down = true;
            update();
        }
        event->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        emitTrapped(&LineButton::Click, "Click");
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void LineButton::keyReleaseEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat() && m_spaceDown) {
        m_spaceDown = false;
        m_down = false;
        update();
        event->accept();
        emitTrapped(&LineButton::Click, "Click");
        return;
    }
    QWidget::keyReleaseEvent(event);
}

void LineButton::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update();
    emitTrapped(&LineButton::bGotFocus, "bGotFocus");
}

void LineButton::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    if (m_spaceDown) {
        m_spaceDown = false;
        m_down = false;
    }
    update();
    emitTrapped(&LineButton::bLostFocus, "bLostFocus");
}

void LineButton::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        updateMinimum();
        updateGeometry();
    } else if (event->type() == QEvent::EnabledChange) {
        m_down = false;
        m_spaceDown = false;
        update();
    }
}
