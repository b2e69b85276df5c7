#include "FormControls.h"

#include "ImNumber.h"
#include "ImText.h"
#include "Twips.h"

#include <QGroupBox>
#include <QLabel>

void FormControls::place(QWidget *widget, int left, int top, int width, int height)
{
    widget->setGeometry(twipsToPixelsX(left), twipsToPixelsY(top), twipsToPixelsX(width), twipsToPixelsY(height));
}

QLabel *FormControls::label(QWidget *parent, const QString &name, const QString &text, int left, int top, int width,
                            int height, Qt::Alignment alignment)
{
    auto *l = new QLabel(text, parent);
    if (!name.isEmpty())
        l->setObjectName(name);
    place(l, left, top, width, height);
    l->setAlignment(alignment);
    return l;
}

ImNumber *FormControls::number(QWidget *parent, const QString &name, double max, const QString &displayFormat,
                               const QString &format, int left, int top, int width, int height)
{
    auto *box = new ImNumber(parent);
    box->setObjectName(name);
    box->setMinValue(0);
    box->setMaxValue(max);
    box->setDisplayFormat(displayFormat);
    box->setFormat(format);
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    place(box, left, top, width, height);
    return box;
}

ImNumber *FormControls::numberBox(QWidget *parent, const QString &name, double max, const QString &format, int left,
                                  int top, int width, int height)
{
    const QString zero = format.contains(QLatin1Char('.')) ? QStringLiteral(";;0.00") : QStringLiteral(";;0");
    return number(parent, name, max, format + zero, format, left, top, width, height);
}

ImText *FormControls::text(QWidget *parent, const QString &name, int maxLength, int left, int top, int width,
                           int height)
{
    auto *box = new ImText(parent);
    box->setObjectName(name);
    box->setMaxLength(maxLength);
    place(box, left, top, width, height);
    return box;
}

void FormControls::gridAboveButtons(QWidget *area, QWidget *grid, const QList<QWidget *> &buttonsRightToLeft, int gap)
{
    const int margin = twipsToPixelsX(120);
    const int bw = twipsToPixelsX(1215);
    const int bh = twipsToPixelsY(420);
    const int buttonsTop = area->height() - margin - bh;
    grid->setGeometry(margin, margin, area->width() - 2 * margin, buttonsTop - 2 * margin);
    int x = area->width() - margin - bw;
    for (QWidget *b : buttonsRightToLeft) {
        b->setGeometry(x, buttonsTop, bw, bh);
        x -= bw + twipsToPixelsX(gap);
    }
}

QGroupBox *FormControls::frame(QWidget *parent, const QString &caption, int left, int top, int width, int height)
{
    auto *g = new QGroupBox(caption, parent);
    place(g, left, top, width, height);
    return g;
}

void FormControls::tabOrder(const QList<QWidget *> &controls)
{
    if (controls.isEmpty())
        return;
    // The window gives the focus to the control that follows it in the focus ring, so
    // the ring must run from the window to the first control. Qt leaves a control where
    // it is when only controls without focus stand between it and the one it should
    // follow, and the window itself takes none: the buttons made before the fields would
    // stay at the window's side. While the order is set the window counts as a control.
    QWidget *window = controls.first()->window();
    const Qt::FocusPolicy policy = window->focusPolicy();
    window->setFocusPolicy(Qt::TabFocus);
    for (qsizetype i = 1; i < controls.size(); ++i)
        QWidget::setTabOrder(controls.at(i - 1), controls.at(i));
    window->setFocusPolicy(policy);
}
