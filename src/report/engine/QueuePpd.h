#pragma once

#include <QString>

/// What a print queue's PPD says that Qt keeps to itself.
namespace QueuePpd
{

/// How the print system turns a landscape page onto the queue's sheet, as the PPD's
/// LandscapeOrientation says: 90 for Plus90 (also where it does not say), -90 for Minus90; 0 for
/// a queue without a PPD.
int landscapeTurn(const QString &queue);

} // namespace QueuePpd
