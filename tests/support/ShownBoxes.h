#pragma once

#include "MsgBox.h"

#include <QList>

/// The message boxes asked for since the last clearShownBoxes(), in order, answered or
/// not. A test that reads them has them recorded from its start.
const QList<MsgBox::Shown> &shownBoxes();
/// Forgets the boxes shown so far and the answers queued for the next ones.
void clearShownBoxes();
