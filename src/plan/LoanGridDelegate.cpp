#include "LoanGridDelegate.h"

#include "Globals.h"
#include "ImNumber.h"
#include "VbRuntime.h"
#include "cBase.h"

#include <QApplication>
#include <QPainter>

LoanGridDelegate::LoanGridDelegate(QObject *parent) : GridValueDelegate(parent) {}

QString LoanGridDelegate::textOf(const QVariant &value) const
{
    const cBase &base = gBase();
    if (!base.IsData(value))
        return QString();
    if (count() > 0)
        return displayFor(base.CvtStr(value));
    if (!m_numberFormat.isEmpty() && vb::isNumeric(value)) {
        const QString pattern = m_numberFormat == QLatin1String("Fixed") ? QStringLiteral("0.00") : m_numberFormat;
        return ImNumber::FormatNumber(base.CvtDbl(value), pattern);
    }
    return base.CvtStr(value);
}

QStringList LoanGridDelegate::lineTexts(const QModelIndex &index) const
{
    const QVariant v = index.data(Qt::DisplayRole);
    const QVariantList values = v.typeId() == QMetaType::QVariantList ? v.toList() : QVariantList{v};
    QStringList lines;
    for (int i = 0; i < Lines; ++i)
        lines << (i < values.size() ? textOf(values.at(i)) : QString());
    return lines;
}

void LoanGridDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    opt.text.clear();
    const QWidget *widget = option.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);

    const QStringList lines = lineTexts(index);
    const QRect text = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget);
    const int height = option.rect.height() / Lines;
    const Qt::Alignment horizontal = opt.displayAlignment & Qt::AlignHorizontal_Mask;
    painter->save();
    painter->setFont(opt.font);
    // The lines of one loan are parted like the rows of the grid.
    painter->setPen(option.palette.color(QPalette::Mid));
    const int middle = option.rect.top() + height;
    painter->drawLine(option.rect.left(), middle, option.rect.right(), middle);
    const bool selected = opt.state & QStyle::State_Selected;
    painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    for (int i = 0; i < Lines; ++i) {
        const QRect band(text.left() + 2, option.rect.top() + i * height, text.width() - 4, height);
        painter->drawText(band, int(horizontal | Qt::AlignVCenter), lines.at(i));
    }
    painter->restore();
}
