#include "QueuePpd.h"

#include <QFile>

#include <cups/cups.h>
#include <cups/ppd.h>

// libcups marks its PPD calls deprecated, but a queue's PPD is still where the print system reads
// how it turns a landscape page (the queue's IPP attributes say nothing of it), as Qt reads the
// paper and margins there. Those calls are kept to this file.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace QueuePpd
{

int landscapeTurn(const QString &queue)
{
    if (queue.isEmpty())
        return 0;
    // A copy of the PPD in a temporary file of this user's, removed once read.
    const char *path = cupsGetPPD2(CUPS_HTTP_DEFAULT, queue.toUtf8().constData());
    if (!path)
        return 0;
    const QString copy = QFile::decodeName(path);
    ppd_file_t *ppd = ppdOpenFile(path);
    QFile::remove(copy);
    if (!ppd)
        return 0;
    const ppd_attr_t *turn = ppdFindAttr(ppd, "LandscapeOrientation", nullptr);
    const bool minus = turn && turn->value && qstrcmp(turn->value, "Minus90") == 0;
    ppdClose(ppd);
    return minus ? -90 : 90;
}

} // namespace QueuePpd
