#include "PrintedPdf.h"

#include "ActiveReport.h"
#include "RequiredTools.h"

#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace
{

QString output(const char *tool, const QStringList &arguments)
{
    return QString::fromUtf8(RequiredTools::output(QString::fromLatin1(tool), arguments));
}

} // namespace

namespace PrintedPdf
{

bool print(ActiveReport &report, const QString &file)
{
    QPrinter printer(QPrinter::HighResolution);
    report.Printer().applyTo(printer);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    printer.setDocName(report.documentName());
    return report.run(printer);
}

QString info(const QString &file)
{
    return output("pdfinfo", {file});
}

int pages(const QString &file)
{
    const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info(file));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QSizeF pageSize(const QString &file)
{
    const auto m = QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts")).match(info(file));
    return m.hasMatch() ? QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) * 25.4 / 72 : QSizeF();
}

QString text(const QString &file, bool layout)
{
    QStringList arguments{file, QStringLiteral("-")};
    if (layout)
        arguments.prepend(QStringLiteral("-layout"));
    return output("pdftotext", arguments);
}

QRectF wordBox(const QString &file, const QString &word)
{
    const auto m = QRegularExpression(QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                                                     "yMax=\"([\\d.]+)\">%1</word>")
                                          .arg(QRegularExpression::escape(word)))
                       .match(output("pdftotext", {QStringLiteral("-bbox"), file, QStringLiteral("-")}));
    if (!m.hasMatch())
        return QRectF();
    return QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                  QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()));
}

QImage image(const QString &file, double dpi, bool colour, const QRect &crop)
{
    QTemporaryDir dir;
    const QString base = dir.filePath(QStringLiteral("page"));
    QStringList arguments{QStringLiteral("-r"), QString::number(dpi),
                          colour ? QStringLiteral("-png") : QStringLiteral("-gray"), QStringLiteral("-singlefile")};
    if (!crop.isEmpty())
        arguments << QStringLiteral("-x") << QString::number(crop.x()) << QStringLiteral("-y")
                  << QString::number(crop.y()) << QStringLiteral("-W") << QString::number(crop.width())
                  << QStringLiteral("-H") << QString::number(crop.height());
    RequiredTools::output(QStringLiteral("pdftoppm"), arguments << file << base);
    return QImage(base + (colour ? QStringLiteral(".png") : QStringLiteral(".pgm")));
}

QRect ink(const QImage &image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                box |= QRect(x, y, 1, 1);
    return box;
}

QMarginsF freePaper(const QString &file, double dpi)
{
    const QImage page = image(file, dpi);
    const QRect box = ink(page);
    return QMarginsF(box.left(), box.top(), page.width() - 1 - box.right(), page.height() - 1 - box.bottom()) * 25.4 /
           dpi;
}

} // namespace PrintedPdf
