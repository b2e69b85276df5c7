#pragma once

#include <QPageSize>
#include <QPrinter>
#include <QString>

#include <optional>

/// The printer codes stored in M_Printer are the Windows driver's numbers (paper
/// sizes 1 A4-Letter-..., 256 user-defined; bins 1 upper tray, 2 lower, ...). Qt
/// names the same things with its own enums; these functions translate both ways.
namespace PaperCodes
{

/// Paper-size code of a user-defined size: it names no size, so it changes nothing.
constexpr int UserDefinedSize = 256;

/// The page size of a paper code; nothing for 0, 256 and codes Qt does not know.
std::optional<QPageSize> pageSize(int code);
/// The paper code of a page size; 0 when the size has none.
int paperCode(const QPageSize &size);

/// The tray Qt selects for a bin code; nothing for 0 and codes without a tray of Qt.
std::optional<QPrinter::PaperSource> paperSource(int binCode);
/// The bin code of one of Qt's trays; 0 for Qt's custom source.
int binCode(QPrinter::PaperSource source);

/// Japanese name of a bin code; "印刷トレイ" followed by the code for a code without one.
QString PaperBinName(int binCode);

/// Twips (1/1440 inch) from millimetres, and a page's width in twips as it lies.
double twipsFromMillimetres(double mm);
double paperWidthTwips(const QPageSize &size, QPageLayout::Orientation orientation);

} // namespace PaperCodes
