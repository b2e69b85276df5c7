#pragma once

#include <QList>
#include <QPair>
#include <QStyledItemDelegate>

/// A grid column's value list: the column shows the text given for a stored value;
/// one item may be the default for new rows.
class GridValueDelegate : public QStyledItemDelegate
{
public:
    explicit GridValueDelegate(QObject *parent = nullptr);

    void addItem(const QString &value, const QString &display, bool isDefault);
    int defaultIndex() const { return m_default; }
    int count() const { return int(m_items.size()); }
    /// The text shown for a stored value; the value itself when the list lacks it.
    QString displayFor(const QString &value) const;

    QString displayText(const QVariant &value, const QLocale &locale) const override;

private:
    QList<QPair<QString, QString>> m_items;
    int m_default = -1;
};
