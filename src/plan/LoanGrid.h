#pragma once

#include "RowGrid.h"

class LoanGridModel;
class QPushButton;

/// The loan grid of the plan entry forms (control name TDBKariire): a read-only
/// list of the plan's loans over its data control (LoanGridModel, DataKariire),
/// each loan on two lines, the first rate period above the second. Rows are
/// edited in the loan-row dialog, never in the grid; the current row and the keys
/// behave as in every row grid (RowGrid).
class LoanGrid : public RowGrid
{
    Q_OBJECT

public:
    explicit LoanGrid(QWidget *parent = nullptr);

    LoanGridModel *DataKariire() const;
    /// Lays out the columns: lender, amount, method, the two period year columns and
    /// the rate, the rate taking the rest of the width.
    void SetTDBKariireColumns();

protected:
    void updateGeometries() override;

private:
    void placePeriodButton();
    void fitRateColumn();

    QPushButton *m_period = nullptr;
};
