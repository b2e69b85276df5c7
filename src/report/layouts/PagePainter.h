#pragma once

#include "DrawList.h"

#include <QImage>
#include <QPageLayout>
#include <QString>

#include <vector>

class QPagedPaintDevice;

/// Puts rendered report pages on paper, in a PDF file or in an image. Each page's canvas is
/// mapped onto the whole sheet of paper, whatever the device's printable area.
class PagePainter
{
public:
    /// A page layout of the canvas's size (twips) without margins.
    static QPageLayout pageLayoutFor(const DrawList &page);
    /// Paints the pages one per sheet on a printer or PDF writer that is already set up.
    /// False when the device cannot be painted on (no page is then written).
    static bool paint(QPagedPaintDevice &device, const std::vector<DrawList> &pages);
    /// Writes the pages as a PDF file with the given document title. On failure (a folder that
    /// cannot be written, for instance) returns false and says why in *error.
    static bool writePdf(const QString &path, const std::vector<DrawList> &pages, const QString &title,
                         QString *error = nullptr);
    /// The page as a white image at the given resolution.
    static QImage toImage(const DrawList &page, double dpi = 96);
};
