#include "RentGrid.h"

#include "RentGridModel.h"
#include "Styling.h"

#include <QHeaderView>
#include <QPainter>

#include <cmath>

/// The footer line under the rows, outside the grid's viewport, in the grid's footer
/// font, each text in its column.
class RentGrid::Footer : public QWidget
{
public:
    explicit Footer(RentGrid *grid) : QWidget(grid), m_grid(grid)
    {
        setObjectName(QStringLiteral("TDBYatinFooter"));
        setAutoFillBackground(true);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setPen(palette().color(QPalette::Mid));
        p.drawLine(0, 0, width(), 0);
        p.setPen(palette().color(QPalette::WindowText));
        for (int c = 0; c < RentGridModel::ColumnCount; ++c) {
            const QString text = m_grid->FooterText(c);
            if (text.isEmpty())
                continue;
            // The caption is centred, the totals stand right as the numbers above them.
            const Qt::Alignment h = c == RentGridModel::Tyusya ? Qt::AlignHCenter : Qt::AlignRight;
            p.setFont(m_grid->footerFont(c));
            p.drawText(m_grid->footerCell(c), int(h | Qt::AlignVCenter), text);
        }
    }

private:
    RentGrid *m_grid;
};

RentGrid::RentGrid(QWidget *parent) : RowGrid(new RentGridModel, parent)
{
    setObjectName(QStringLiteral("TDBYatin"));
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_footer = new Footer(this);
    m_footerText = QStringList(RentGridModel::ColumnCount, QString());
    connect(horizontalHeader(), &QHeaderView::sectionResized, m_footer, qOverload<>(&QWidget::update));
}

RentGridModel *RentGrid::DataYatin() const
{
    return static_cast<RentGridModel *>(rowModel());
}

void RentGrid::SetTDBYatinColumns()
{
    // Widths in twips; the type letter takes the rest of the grid.
    const int widths[] = {0, 1000, 1000, 980, 1000, 900, 1000, 1000, 880};
    int fixed = 0;
    for (int c = RentGridModel::Madori; c < RentGridModel::ColumnCount; ++c) {
        setColumnWidth(c, twipsToPixelsX(widths[c]));
        fixed += columnWidth(c);
    }
    horizontalHeader()->setStretchLastSection(false);
    setColumnWidth(RentGridModel::Type, qMax(twipsToPixelsX(300), viewport()->width() - fixed));
    m_footer->setFont(gothicFont(9, true));
    setFooterText(RentGridModel::Tyusya, QStringLiteral("合　計"));
    updateGeometries();
}

void RentGrid::setFooterText(int column, const QString &text)
{
    if (column < 0 || column >= m_footerText.size())
        return;
    m_footerText[column] = text;
    m_footer->update();
}

int RentGrid::footerHeight() const
{
    return int(std::lround(QFontMetrics(m_footer->font()).height() * 1.2)) + 4;
}

QRect RentGrid::footerCell(int column) const
{
    const QHeaderView *head = horizontalHeader();
    return QRect(head->sectionViewportPosition(column) + 3, 1, head->sectionSize(column) - 6, m_footer->height() - 1);
}

QFont RentGrid::footerFont(int column) const
{
    // A total wider than its column would lose its first digits to the cell's edge: it
    // is drawn smaller until every digit shows; the columns keep their widths.
    QFont font = m_footer->font();
    const QString text = FooterText(column);
    const int room = footerCell(column).width();
    double size = font.pointSizeF();
    while (size > 1 && QFontMetrics(font).horizontalAdvance(text) > room) {
        size -= 0.5;
        font.setPointSizeF(size);
    }
    return font;
}

void RentGrid::updateGeometries()
{
    // The table keeps its headers in the viewport's margins; the footer takes a strip of
    // its own below the rows, so no row is ever drawn under it.
    RowGrid::updateGeometries();
    const int h = footerHeight();
    const QMargins margins = viewportMargins();
    if (margins.bottom() != h)
        setViewportMargins(margins.left(), margins.top(), margins.right(), h);
    const QRect rows = viewport()->geometry();
    m_footer->setGeometry(rows.left(), rows.bottom() + 1, rows.width(), h);
}
