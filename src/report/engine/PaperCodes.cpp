#include "PaperCodes.h"

#include <array>

namespace
{

struct Bin {
    int code;
    QPrinter::PaperSource source;
    const char16_t *name;
};

// The driver's bin numbers against Qt's trays; 12 and 13 are unused numbers.
constexpr std::array<Bin, 13> kBins{{
    {1, QPrinter::Upper, u"上段トレイ"},
    {2, QPrinter::Lower, u"下段トレイ"},
    {3, QPrinter::Middle, u"中段トレイ"},
    {4, QPrinter::Manual, u"手差し"},
    {5, QPrinter::Envelope, u"封筒"},
    {6, QPrinter::EnvelopeManual, u"封筒手差し"},
    {7, QPrinter::Auto, u"自動選択"},
    {8, QPrinter::Tractor, u"トラクタ"},
    {9, QPrinter::SmallFormat, u"小型用紙"},
    {10, QPrinter::LargeFormat, u"大型用紙"},
    {11, QPrinter::LargeCapacity, u"大容量トレイ"},
    {14, QPrinter::Cassette, u"カセット"},
    {15, QPrinter::FormSource, u"フォームソース"},
}};

} // namespace

namespace PaperCodes
{

std::optional<QPageSize> pageSize(int code)
{
    if (code <= 0 || code == UserDefinedSize)
        return std::nullopt;
    const QPageSize::PageSizeId id = QPageSize::id(code);
    if (id == QPageSize::Custom)
        return std::nullopt;
    return QPageSize(id);
}

int paperCode(const QPageSize &size)
{
    return size.isValid() ? size.windowsId() : 0;
}

std::optional<QPrinter::PaperSource> paperSource(int binCode)
{
    for (const Bin &b : kBins)
        if (b.code == binCode)
            return b.source;
    return std::nullopt;
}

int binCode(QPrinter::PaperSource source)
{
    for (const Bin &b : kBins)
        if (b.source == source)
            return b.code;
    return 0;
}

QString PaperBinName(int binCode)
{
    for (const Bin &b : kBins)
        if (b.code == binCode)
            return QString::fromUtf16(b.name);
    return QStringLiteral("印刷トレイ") + QString::number(binCode);
}

double twipsFromMillimetres(double mm)
{
    return mm * 1440.0 / 25.4;
}

double paperWidthTwips(const QPageSize &size, QPageLayout::Orientation orientation)
{
    const QSizeF mm = size.size(QPageSize::Millimeter);
    return twipsFromMillimetres(orientation == QPageLayout::Landscape ? mm.height() : mm.width());
}

} // namespace PaperCodes
