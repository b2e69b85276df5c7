#pragma once

#include <QIcon>

/// The program's own icon, drawn here at each size the desktop asks for: a plot of land
/// with three buildings rising like the bars of a graph, and the line of a growing
/// balance over them. Every window without an icon of its own shows it.
QIcon programIcon();
