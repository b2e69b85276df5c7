#pragma once

#include <QImage>
#include <QMarginsF>
#include <QRect>
#include <QRectF>
#include <QSizeF>
#include <QString>

class ActiveReport;

/// Reports printed to PDF through their own run, and PDF files read back with the poppler
/// tools (pdfinfo, pdftotext, pdftoppm) as a viewer shows them. A tool that is missing or
/// fails gives an empty answer and is told by RequiredTools::takeFailures().
namespace PrintedPdf
{

/// Runs the report onto a PDF file set up as the report's printer (paper, orientation), as
/// printing without a printer does; false when nothing was output.
bool print(ActiveReport &report, const QString &file);

/// What pdfinfo says of the file.
QString info(const QString &file);
int pages(const QString &file);
/// The first page's size in millimetres; empty when unknown.
QSizeF pageSize(const QString &file);
/// The text layer; with layout, the words placed on lines as on the page.
QString text(const QString &file, bool layout = false);
/// Where the text layer puts the first word of that text, in points from the page's top left,
/// whether drawn or clipped; null when there is none.
QRectF wordBox(const QString &file, const QString &word);
/// The first page at a resolution, grey or in colour; crop is in pixels of that resolution
/// (empty: the whole page). A null image when it cannot be made.
QImage image(const QString &file, double dpi, bool colour = false, const QRect &crop = QRect());
/// The smallest rectangle holding every pixel that is not white; null when there is none.
QRect ink(const QImage &image);
/// The paper the ink of the first page leaves free at its left, top, right and bottom edge, in
/// millimetres, measured at a resolution.
QMarginsF freePaper(const QString &file, double dpi);

} // namespace PrintedPdf
