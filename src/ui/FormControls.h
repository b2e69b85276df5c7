#pragma once

#include <QList>
#include <QString>
#include <Qt>

class ImNumber;
class ImText;
class QGroupBox;
class QLabel;
class QWidget;

/// The controls of the entry forms, made and placed in twips as the forms lay them
/// out. Each gets its control name as object name.
namespace FormControls
{

/// The usual height of one row of a form: a label and its box.
constexpr int RowHeight = 330;

/// Sets a widget's position and size in twips within its parent.
void place(QWidget *widget, int left, int top, int width, int height = RowHeight);
/// A caption or unit label; name may be empty for a label no code reaches.
QLabel *label(QWidget *parent, const QString &name, const QString &text, int left, int top, int width,
              int height = RowHeight, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);
/// A number box from 0 to max, showing displayFormat and taking its decimals from
/// format, right-aligned.
ImNumber *number(QWidget *parent, const QString &name, double max, const QString &displayFormat, const QString &format,
                 int left, int top, int width, int height = RowHeight);
/// A number box whose display format is format with a zero shown as "0" ("0.00"
/// when format has decimals): "###,##0" shows "###,##0;;0".
ImNumber *numberBox(QWidget *parent, const QString &name, double max, const QString &format, int left, int top,
                    int width, int height = RowHeight);
/// A text box of at most maxLength characters (0: no limit).
ImText *text(QWidget *parent, const QString &name, int maxLength, int left, int top, int width, int height = RowHeight);
/// Tab visits the controls in this order, and the window opens on the first of them
/// that can take the focus.
void tabOrder(const QList<QWidget *> &controls);
/// The list windows' layout: the grid fills the area above one row of buttons
/// (1215 x 420 twips) at its lower right, 120 twips from the edges, the buttons
/// given from right to left with gap twips between them.
void gridAboveButtons(QWidget *area, QWidget *grid, const QList<QWidget *> &buttonsRightToLeft, int gap);
/// A frame with a caption.
QGroupBox *frame(QWidget *parent, const QString &caption, int left, int top, int width, int height);

} // namespace FormControls
