#include "LoanGrid.h"

#include "LoanGridDelegate.h"
#include "LoanGridModel.h"
#include "Styling.h"

#include <QFontInfo>
#include <QHeaderView>
#include <QPushButton>

#include <cmath>

LoanGrid::LoanGrid(QWidget *parent) : RowGrid(new LoanGridModel, parent)
{
    setObjectName(QStringLiteral("TDBKariire"));
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
    RowGrid::updateGeometries();
    fitRateColumn();
    placePeriodButton();
}

LoanGridModel *LoanGrid::DataKariire() const
{
    return static_cast<LoanGridModel *>(rowModel());
}
