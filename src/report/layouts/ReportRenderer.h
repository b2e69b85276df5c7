#pragma once

#include "DrawList.h"
#include "ReportData.h"
#include "ReportLayout.h"

#include <QSet>

#include <vector>

/// Turns a report layout and its data into the layout's pages, each a DrawList in twips of the
/// layout's own width and height. Rendering is a pure function: the layout is not changed, and
/// rendering twice gives the same pages. The report engine's run (LayoutReport) draws them
/// smaller where they would not fit the room (see room()) and places them on the paper.
///
/// A sheet prints once: its value fields show ReportData::fields by name ("" prints nothing,
/// never the design's sample text), unit labels beside empty fields are hidden, and its picture
/// shows ReportData::graph stretched into the picture's box. A yearly table prints one record
/// of ReportData::rows per body row, each field formatted from its column, row n laid
/// n × rowPitch lower; after rowsPerPage records the next ones continue on a new page over the
/// same titles and rules.
class ReportRenderer
{
public:
    /// What the report tells the user when a yearly table has no records.
    static const QString kNoDataMessage; // "印刷データがありません。"

    /// The layout's pages without paper: each a canvas of the layout's own width and height
    /// (page header and detail) with the controls at their design places, unscaled. A run of
    /// the report engine places these on the paper and centres them itself.
    static std::vector<DrawList> renderContent(const ReportLayout &layout, const ReportData &data);
    /// The scale at which content fits the room: 1 when it fits, smaller when it does not,
    /// 0 for empty content.
    static double fitScale(const QSizeF &content, const QSizeF &room);
    /// The least paper a page's content leaves free on either side: 5 mm, in whole twips (284).
    static double leastSideMargin();
    /// The room a page's content may fill, in twips: the paper's width less a side margin on
    /// each side, the printer's own (the larger of its two, as the content is centred) or
    /// leastSideMargin() where that is larger, and the paper's height less the report's top and
    /// bottom margins. The side margins the centring sets take no part, so every run on the
    /// same paper finds the same room.
    static QSizeF room(const QSizeF &paper, double printerSide, double marginTop, double marginBottom);

    /// A yearly table without records prints nothing: the print job shows kNoDataMessage.
    static bool hasNoData(const ReportLayout &layout, const ReportData &data);
    /// The unit labels the hide rules take away for these field texts.
    static QSet<QString> hiddenLabels(const ReportLayout &layout, const ReportData &data);
    /// The text a yearly-table field shows for a record: the value as text, trimmed, formatted
    /// with the field's format; empty for a Null or missing value.
    static QString rowText(const ReportControl &field, const ReportData &data, int row);
};
