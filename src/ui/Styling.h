#pragma once

#include "Twips.h"

#include <QColor>
#include <QFont>
#include <QString>

class QTableView;
class QWidget;

/// The common look and keys of the forms' input boxes and grids.

/// Every input box of the form: Enter or Down to the next control, Shift+Enter or Up
/// to the previous one (multi-line boxes keep their Enter), content selected on
/// entry, no spin buttons, the common 9-point font.
void SetInputCtrlStyle(QWidget *frm);
/// The read-only list look: whole-row selection, alternating white and pale green
/// rows, 9-point fonts with a bold heading, row height from the text height; Tab
/// leaves the grid for the next control.
void SetGridStyle(QWidget *frm, QTableView *grid);
/// The current row of a read-only list highlighted as with the focus (on), or shown
/// plain: a list shows where it stands only while the user is in it.
void SetGridMarquee(QTableView *grid, bool on);
/// A column width in twips for a font size and a factor, scaled to the screen.
double CalcColWidth(double value, float factor);
/// Adds one stored-value / shown-text pair to a grid column's value list.
void AddGridValueItem(QTableView *grid, int column, const QString &value, const QString &display, bool isDefault,
                      bool flag);

/// The font the forms' boxes and grids use, "ＭＳ ゴシック" with a Japanese fallback.
QFont gothicFont(double pointSize, bool bold = false);
/// A 0x00BBGGRR colour value as a QColor.
QColor vbColor(quint32 bgr);
