#pragma once

#include <QTableView>

class RowGridModel;

/// The read-only grid of a plan's work rows on an entry form (rent rows, loans): the
/// rows are edited in their row dialog, never in the grid.
///
/// Row() is the index of the current row; Row() == RecordCount() is the new-row
/// line. Enter and a double click ask for the current row's dialog (DblClick,
/// KeyDown with 13); Up and Down are reported with KeyDown before the grid moves
/// its current row, so the form can send the focus elsewhere at the edges. The
/// current row is highlighted while the grid has the focus (marquee style 3) and
/// not otherwise (style 5).
class RowGrid : public QTableView
{
    Q_OBJECT

public:
    /// The grid takes the model over.
    RowGrid(RowGridModel *model, QWidget *parent = nullptr);

    RowGridModel *rowModel() const { return m_model; }

    int Row() const;
    /// Makes a row current (clamped to the rows there are).
    void setRow(int row);
    int RecordCount() const;
    bool isOnAddNewRow() const;
    /// The key of the current row; a new row's on the new-row line or in an empty grid.
    QVariant currentKey() const;
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

private:
    RowGridModel *m_model;
    int m_marquee = 5;
};
