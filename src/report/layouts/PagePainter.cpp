#include "PagePainter.h"

#include <QFileInfo>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <cmath>

QPageLayout PagePainter::pageLayoutFor(const DrawList &page)
{
    const QPageSize size(QSizeF(page.size.width() / 20, page.size.height() / 20), QPageSize::Point, QString(),
                         QPageSize::FuzzyOrientationMatch);
    const QPageLayout::Orientation orientation =
        page.size.width() > page.size.height() ? QPageLayout::Landscape : QPageLayout::Portrait;
    return QPageLayout(size, orientation, QMarginsF(0, 0, 0, 0), QPageLayout::Point);
}

bool PagePainter::paint(QPagedPaintDevice &device, const std::vector<DrawList> &pages)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (i > 0)
            device.newPage();
        // The painter's origin is the printable area's corner; the canvas covers the paper.
        const QPageLayout layout = device.pageLayout();
        const int dpi = device.logicalDpiX();
        const QRectF full = layout.fullRectPixels(dpi);
        const QRectF printable = layout.paintRectPixels(dpi);
        paintDrawList(painter, pages[i], full.translated(-printable.topLeft()));
    }
    return painter.end();
}

bool PagePainter::writePdf(const QString &path, const std::vector<DrawList> &pages, const QString &title,
                           QString *error)
{
    const auto fail = [&](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    if (pages.empty())
        return fail(QStringLiteral("印刷するページがありません。"));
    const QFileInfo info(path);
    if (info.exists() && !info.isWritable())
        return fail(QStringLiteral("PDFファイルに書き込めません。\n%1").arg(QFileInfo(path).absoluteFilePath()));
    QPdfWriter writer(path);
    writer.setResolution(1200);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Vanrek"));
    writer.setPageLayout(pageLayoutFor(pages.front()));
    if (!paint(writer, pages))
        return fail(QStringLiteral("PDFファイルを作成できません。\n%1").arg(QFileInfo(path).absoluteFilePath()));
    return true;
}

QImage PagePainter::toImage(const DrawList &page, double dpi)
{
    const QSize pixels(int(std::lround(page.size.width() * dpi / 1440)),
                       int(std::lround(page.size.height() * dpi / 1440)));
    QImage image(pixels.expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintDrawList(painter, page, QRectF(QPointF(0, 0), QSizeF(pixels)));
    painter.end();
    return image;
}
