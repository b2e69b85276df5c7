#pragma once

#include <QTableView>

class LoanGridModel;
class QPushButton;

/// The loan grid of the plan entry forms (control name TDBKariire): a read-only
/// list of the plan's loans over its data control (LoanGridModel, DataKariire),
/// each loan on two lines, the first rate period above the second. Rows are
/// edited in the loan-row dialog, never in the grid.
///
/// Row() is the index of the current row; Row() == RecordCount() is the new-row
/// line. Enter and a double click ask for the current row's dialog (DblClick,
/// KeyDown with 13); Up and Down are reported with KeyDown before the grid moves
/// its current row, so the form can send the focus elsewhere at the edges. The
/// current row is highlighted while the grid has the focus (marquee style 3) and
/// not otherwise (style 5).
class LoanGrid : public QTableView
{
    Q_OBJECT

public:
    explicit LoanGrid(QWidget *parent = nullptr);

    LoanGridModel *DataKariire() const { return m_model; }
    /// Lays out the columns: lender, amount, method, the two period year columns and
    /// the rate, the rate taking the rest of the width.
    void SetTDBKariireColumns();

    int Row() const;
    /// Makes a row current (clamped to the rows there are).
    void setRow(int row);
    int RecordCount() const;
    bool isOnAddNewRow() const;
    /// Re-reads the rows; the current row stays where it was, or on the first row.
    void Requery();

    int MarqueeStyle() const { return m_marquee; }
    void setMarqueeStyle(int style);

Q_SIGNALS:
    void DblClick();
    /// A key pressed in the grid (Enter 13, Up 38, Down 40, ...), before the grid handles it.
    void KeyDown(int keyCode);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void updateGeometries() override;

private:
    void placePeriodButton();
    void fitRateColumn();

    LoanGridModel *m_model = nullptr;
    QPushButton *m_period = nullptr;
    int m_marquee = 5;
};
