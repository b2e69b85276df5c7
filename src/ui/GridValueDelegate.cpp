#include "GridValueDelegate.h"

#include "Globals.h"
#include "cBase.h"

GridValueDelegate::GridValueDelegate(QObject *parent) : QStyledItemDelegate(parent) {}

void GridValueDelegate::addItem(const QString &value, const QString &display, bool isDefault)
{
    m_items.append({value, display});
    if (isDefault)
        m_default = int(m_items.size()) - 1;
}

QString GridValueDelegate::displayFor(const QString &value) const
{
    for (const auto &item : m_items)
        if (item.first == value)
            return item.second;
    return value;
}

QString GridValueDelegate::displayText(const QVariant &value, const QLocale &locale) const
{
    if (value.isNull() || !value.isValid())
        return QStyledItemDelegate::displayText(value, locale);
    return displayFor(gBase().CvtStr(value));
}
