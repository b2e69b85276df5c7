#pragma once

#include "RowGrid.h"

#include <QStringList>

class RentGridModel;

/// The rent grid of the apartment form (control name TDBYatin): one line per
/// dwelling type over its data control (RentGridModel, DataYatin), and a footer
/// line under the rows with "合　計" and the three totals the form writes there.
/// The footer has its own strip below the rows' viewport, so no row is drawn under it.
class RentGrid : public RowGrid
{
    Q_OBJECT

public:
    explicit RentGrid(QWidget *parent = nullptr);

    RentGridModel *DataYatin() const;
    /// Lays out the columns: the type letter takes the width the others leave; the
    /// footer caption "合　計" stands under 駐車台数.
    void SetTDBYatinColumns();

    QString FooterText(int column) const { return m_footerText.value(column); }
    void setFooterText(int column, const QString &text);
    /// Height of the footer line in pixels.
    int footerHeight() const;
    /// Where a column's footer text is drawn, in the footer line's coordinates.
    QRect footerCell(int column) const;
    /// The font a column's footer text is drawn in: the footer's own, or a smaller one
    /// where the text would not fit the cell at that size.
    QFont footerFont(int column) const;

protected:
    void updateGeometries() override;

private:
    class Footer;

    Footer *m_footer = nullptr;
    QStringList m_footerText;
};
