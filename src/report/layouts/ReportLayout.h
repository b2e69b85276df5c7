#pragma once

#include <QColor>
#include <QLineF>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <vector>

/// One control of a report layout, placed in twips from its section's top left corner.
struct ReportControl {
    enum Kind { Label, Field, Line, Box, Picture };

    QString name;
    Kind kind = Label;
    QRectF rect;  ///< Label, Field, Box, Picture
    QLineF line;  ///< Line: from (X1, Y1) to (X2, Y2)
    QString text; ///< Label: its caption; Field: the design's sample text, never printed
    QString fontFace;
    double fontPoints = 9;
    bool bold = false;
    int align = 0;     ///< Qt::Alignment flags of the text inside rect
    bool wrap = false; ///< Label: breaks into lines inside rect
    QColor back;       ///< fill of a Label or Box; invalid leaves it unfilled
    QColor fore{0, 0, 0};
    double lineTwips = 0; ///< Line, Box: 0 is the thinnest line the device draws
    bool visible = true;
    QString column; ///< Field of a yearly table: the record-set column it shows
    QString format; ///< Field of a yearly table: the display format of its column's value

    /// The right edge the centring measures: the larger X of a line, else left + width.
    double rightEdge() const;
};

struct ReportSection {
    double height = 0;
    std::vector<ReportControl> controls;
};

/// A unit label (or two) hidden when its value field's text is empty (length 0).
struct HideRule {
    QString field;
    QStringList labels;
};

/// A report layout held as data: the three sections with their controls, the rules that hide
/// unit labels beside empty fields, and, for the yearly tables, the repetition of the fields
/// row by row. A layout is never changed by rendering, so one instance serves any number of runs.
struct ReportLayout {
    QString name;
    ReportSection pageHeader;
    ReportSection detail;
    ReportSection pageFooter;
    /// The width of the sections (the design's print width), in twips.
    double printWidth = 0;
    std::vector<HideRule> hideRules;
    /// Yearly tables: the fields of the detail section are filled from one record each and
    /// laid rowPitch twips lower per record, rowsPerPage records on a page. 0 for the sheets,
    /// which print once with the text of ReportData::fields.
    int rowsPerPage = 0;
    double rowPitch = 283;

    bool isRowLayout() const { return rowsPerPage > 0; }
    /// The control of that name in any section; nullptr when there is none.
    const ReportControl *control(const QString &name) const;
    /// Number of controls of a kind over all sections.
    int count(ReportControl::Kind kind) const;
    /// The greatest right edge of all controls, which the centring on the paper uses.
    double rightEdge() const;
};
