#include "RowGrid.h"

#include "RowGridModel.h"
#include "VbKeys.h"

#include <QHeaderView>
#include <QKeyEvent>

RowGrid::RowGrid(RowGridModel *model, QWidget *parent) : QTableView(parent), m_model(model)
{
    m_model->setParent(this);
    setModel(m_model);
    // A list to choose a row from; the row's dialog edits it.
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setTabKeyNavigation(false);
    setWordWrap(false);
    verticalHeader()->hide();
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
}

int RowGrid::Row() const
{
    return currentIndex().isValid() ? currentIndex().row() : -1;
}

void RowGrid::setRow(int row)
{
    const int rows = m_model->rowCount();
    if (rows == 0)
        return;
    row = qBound(0, row, rows - 1);
    const auto flags = m_marquee == 3 ? QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows
                                      : QItemSelectionModel::NoUpdate;
    selectionModel()->setCurrentIndex(m_model->index(row, 0), flags);
}

int RowGrid::RecordCount() const
{
    return m_model->RecordCount();
}

bool RowGrid::isOnAddNewRow() const
{
    return m_model->isAddNewRow(Row());
}

QVariant RowGrid::currentKey() const
{
    const int count = RecordCount();
    if (count == 0 || isOnAddNewRow())
        return m_model->newKey();
    return m_model->key(qBound(0, Row(), count - 1));
}

void RowGrid::Requery()
{
    const int row = Row();
    m_model->Requery();
    setRow(row < 0 ? 0 : row);
}

void RowGrid::setMarqueeStyle(int style)
{
    m_marquee = style;
    if (style == 3 && currentIndex().isValid())
        selectionModel()->select(currentIndex(), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    else if (style != 3)
        selectionModel()->clearSelection();
}

void RowGrid::keyPressEvent(QKeyEvent *event)
{
    const int code = VbKeys::keyCode(event);
    if (code != 0)
        Q_EMIT KeyDown(code);
    if (code == VbKeys::Return) {
        // Enter belongs to the grid: it never reaches the dialog's default button.
        event->accept();
        return;
    }
    if (hasFocus())
        QTableView::keyPressEvent(event);
    else
        event->accept();
}

void RowGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
    Q_EMIT DblClick();
}

void RowGrid::focusInEvent(QFocusEvent *event)
{
    QTableView::focusInEvent(event);
    setMarqueeStyle(3);
}

void RowGrid::focusOutEvent(QFocusEvent *event)
{
    QTableView::focusOutEvent(event);
    setMarqueeStyle(5);
}
