#pragma once

#include "GridValueDelegate.h"

#include <QString>
#include <QStringList>

/// Draws a cell of the loan grid as two lines, one above the other: the first rate
/// period on the upper line and the second on the lower one; a column of one value
/// shows it on the upper line. Each line is formatted by the column's value list
/// (the repayment method) or its number format ("Fixed": two decimals).
class LoanGridDelegate : public GridValueDelegate
{
public:
    static constexpr int Lines = 2;

    explicit LoanGridDelegate(QObject *parent = nullptr);

    QString NumberFormat() const { return m_numberFormat; }
    void setNumberFormat(const QString &format) { m_numberFormat = format; }

    /// The texts of the cell's lines, upper first (always Lines entries).
    QStringList lineTexts(const QModelIndex &index) const;
    /// One stored value as the column shows it; empty for NULL.
    QString textOf(const QVariant &value) const;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    QString m_numberFormat;
};
