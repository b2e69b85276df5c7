#pragma once

#include "MsgBox.h"

#include <QList>

/// The message boxes asked for since the last clearShownBoxes(), in order, answered or
/// not. A test that reads them has them recorded from its start.
const QList<MsgBox::Shown> &shownBoxes();
/// Forgets the boxes shown so far and the answers queued for the next ones.
void clearShownBoxes();
/// A box as "title|style|prompt", to compare whole boxes.
QString boxText(const MsgBox::Shown &box);
/// The box that tells the database file at the path is damaged, as boxText gives it.
QString damagedFileBox(const QString &databasePath, const QString &title = QStringLiteral("Vanrek"),
                       int style = MsgBox::Exclamation);
