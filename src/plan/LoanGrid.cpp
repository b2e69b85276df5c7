#include "LoanGrid.h"

#include "LoanGridDelegate.h"
#include "LoanGridModel.h"
#include "Styling.h"
#include "VbKeys.h"

#include <QFontInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>

#include <cmath>

LoanGrid::LoanGrid(QWidget *parent) : QTableView(parent)
{
    setObjectName(QStringLiteral("TDBKariire"));
    m_model = new LoanGridModel(this);
    setModel(m_model);
    // A list to choose a loan from; the dialog edits it.
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setTabKeyNavigation(false);
    setWordWrap(false);
    verticalHeader()->hide();
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // The heading of the first period's two year columns, a button without action.
    m_period = new QPushButton(QStringLiteral("返済期間"), horizontalHeader());
    m_period->setObjectName(QStringLiteral("butHensaiKikan"));
    m_period->setFocusPolicy(Qt::NoFocus);
    m_period->setAutoDefault(false);
}

void LoanGrid::SetTDBKariireColumns()
{
    const struct {
        int column;
        int width; // twips; 0: the rest of the grid
        const char *format;
    } columns[] = {
        {LoanGridModel::Lender, 2600, ""}, {LoanGridModel::Amount, 1560, "#,###,###,##0"},
        {LoanGridModel::Method, 1200, ""}, {LoanGridModel::Start, 650, "##0"},
        {LoanGridModel::End, 650, "##0"},  {LoanGridModel::Rate, 0, "Fixed"},
    };
    for (const auto &c : columns) {
        delete itemDelegateForColumn(c.column);
        auto *d = new LoanGridDelegate(this);
        d->setNumberFormat(QString::fromLatin1(c.format));
        setItemDelegateForColumn(c.column, d);
        if (c.width > 0)
            setColumnWidth(c.column, twipsToPixelsX(c.width));
    }
    AddGridValueItem(this, LoanGridModel::Method, QStringLiteral("0"), QStringLiteral("元利均等"), false, false);
    AddGridValueItem(this, LoanGridModel::Method, QStringLiteral("1"), QStringLiteral("元金均等"), false, false);
    // The rate takes the rest of the width; the grid scrolls only up and down.
    horizontalHeader()->setStretchLastSection(false);
    fitRateColumn();

    // Two lines to a loan, and two heading lines, each a line of the grid's text
    // (1.25 times the font's size, as tight as the three loans need to show at once).
    const auto lineOf = [](const QFont &f) { return int(std::lround(QFontInfo(f).pixelSize() * 1.25)); };
    verticalHeader()->setDefaultSectionSize(LoanGridDelegate::Lines * lineOf(font()) + 1);
    horizontalHeader()->setFixedHeight(LoanGridDelegate::Lines * lineOf(horizontalHeader()->font()) + 4);
    m_period->setFont(horizontalHeader()->font());
    placePeriodButton();
}

void LoanGrid::placePeriodButton()
{
    if (!m_period)
        return;
    QHeaderView *head = horizontalHeader();
    const int left = head->sectionViewportPosition(LoanGridModel::Start);
    const int width = head->sectionSize(LoanGridModel::Start) + head->sectionSize(LoanGridModel::End);
    m_period->setGeometry(left, 0, width, head->height() / LoanGridDelegate::Lines);
}

void LoanGrid::fitRateColumn()
{
    int others = 0;
    for (int c = 0; c < LoanGridModel::Rate; ++c)
        others += columnWidth(c);
    const int rest = viewport()->width() - others;
    if (rest > 0 && rest != columnWidth(LoanGridModel::Rate))
        setColumnWidth(LoanGridModel::Rate, rest);
}

void LoanGrid::updateGeometries()
{
    QTableView::updateGeometries();
    fitRateColumn();
    placePeriodButton();
}

int LoanGrid::Row() const
{
    return currentIndex().isValid() ? currentIndex().row() : -1;
}

void LoanGrid::setRow(int row)
{
    const int rows = m_model->rowCount();
    if (rows == 0)
        return;
    row = qBound(0, row, rows - 1);
    const auto flags = m_marquee == 3 ? QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows
                                      : QItemSelectionModel::NoUpdate;
    selectionModel()->setCurrentIndex(m_model->index(row, 0), flags);
}

int LoanGrid::RecordCount() const
{
    return m_model->RecordCount();
}

bool LoanGrid::isOnAddNewRow() const
{
    return m_model->isAddNewRow(Row());
}

void LoanGrid::Requery()
{
    const int row = Row();
    m_model->Requery();
    setRow(row < 0 ? 0 : row);
}

void LoanGrid::setMarqueeStyle(int style)
{
    m_marquee = style;
    if (style == 3 && currentIndex().isValid())
        selectionModel()->select(currentIndex(), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    else if (style != 3)
        selectionModel()->clearSelection();
}

void LoanGrid::keyPressEvent(QKeyEvent *event)
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

void LoanGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
    Q_EMIT DblClick();
}

void LoanGrid::focusInEvent(QFocusEvent *event)
{
    QTableView::focusInEvent(event);
    setMarqueeStyle(3);
}

void LoanGrid::focusOutEvent(QFocusEvent *event)
{
    QTableView::focusOutEvent(event);
    setMarqueeStyle(5);
}
