#include "Styling.h"

#include "GridValueDelegate.h"
#include "VbControl.h"
#include "VbFont.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QHeaderView>
#include <QTableView>

#include <cmath>

QFont gothicFont(double pointSize, bool bold)
{
    return VbFont::make(QStringLiteral("ＭＳ ゴシック"), pointSize, bold);
}

QColor vbColor(quint32 bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

void SetInputCtrlStyle(QWidget *frm)
{
    if (!frm)
        return;
    // Properties are set by name: a control that lacks one simply keeps its own.
    const QFont boxFont = gothicFont(9);
    for (QWidget *control : VbControl::formControls(frm)) {
        const QString t = VbControl::typeName(control).toUpper();
        const bool number = t == QLatin1String("IMNUMBER");
        const bool text = t == QLatin1String("IMTEXT");
        const bool dateLike =
            t == QLatin1String("IMDATE") || t == QLatin1String("IMTIME") || t == QLatin1String("IMMASK");
        if (number || dateLike || (text && !VbControl::multiLine(control))) {
            control->setProperty("NextCtrl", QStringLiteral("{Enter},{Down}"));
            control->setProperty("PrevCtrl", QStringLiteral("+{Enter},{Up}"));
        }
        if (number || text || dateLike)
            control->setProperty("HighlightText", true);
        if (auto *spin = qobject_cast<QAbstractSpinBox *>(control); spin && (number || dateLike))
            spin->setButtonSymbols(QAbstractSpinBox::NoButtons);
        if (number || text)
            control->setFont(boxFont);
    }
}

void SetGridStyle(QWidget *frm, QTableView *grid)
{
    Q_UNUSED(frm)
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    // A list is one stop on the way through the form: Tab and Shift+Tab go on to the
    // next and previous control, not from cell to cell.
    grid->setTabKeyNavigation(false);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->setAlternatingRowColors(true);
    QPalette pal = grid->palette();
    pal.setColor(QPalette::Base, vbColor(0xFFFFFF));
    pal.setColor(QPalette::AlternateBase, vbColor(0xEFFFEF));
    grid->setPalette(pal);

    const QFont body = gothicFont(9);
    const QFont head = gothicFont(9, true);
    grid->setFont(body);
    grid->horizontalHeader()->setFont(head);
    const int line = QFontMetrics(body).height();
    grid->verticalHeader()->setDefaultSectionSize(int(std::lround(line * 1.2)) + 2);
    grid->verticalHeader()->setMinimumSectionSize(1);
    grid->horizontalHeader()->setFixedHeight(int(std::lround(QFontMetrics(head).height() * 1.2)) + 6);
    grid->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
}

void SetGridMarquee(QTableView *grid, bool on)
{
    QPalette pal = grid->palette();
    const QPalette app = QApplication::palette(grid);
    pal.setColor(QPalette::Inactive, QPalette::Highlight,
                 on ? app.color(QPalette::Active, QPalette::Highlight) : pal.color(QPalette::Base));
    pal.setColor(QPalette::Inactive, QPalette::HighlightedText,
                 on ? app.color(QPalette::Active, QPalette::HighlightedText) : pal.color(QPalette::Text));
    grid->setPalette(pal);
}

double CalcColWidth(double value, float factor)
{
    const double p = twipsPerPixelX();
    return value * double(factor) * p * (p / 15.0);
}

void AddGridValueItem(QTableView *grid, int column, const QString &value, const QString &display, bool isDefault,
                      bool flag)
{
    Q_UNUSED(flag)
    auto *list = dynamic_cast<GridValueDelegate *>(grid->itemDelegateForColumn(column));
    if (!list) {
        list = new GridValueDelegate(grid);
        grid->setItemDelegateForColumn(column, list);
    }
    list->addItem(value, display, isDefault);
    grid->viewport()->update();
}
