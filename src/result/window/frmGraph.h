#pragma once

#include "DrawList.h"
#include "PlanView.h"
#include "PlanWindow.h"
#include "ResultRow.h"

#include <QSize>
#include <QVector>

class GraphPicture;
class QLabel;
class QTableView;
class YearlyTableModel;

/// The window of one stored plan in the property workspace: the graph of its yearly
/// results (picGraph), the yearly table (TDBGrid), the picture of its plan type and the
/// buttons "データ" (reopen the entry form), "印　刷" (print both proposal reports) and
/// "破　棄" (discard the plan). Its back colour follows the plan number.
///
/// The workspace drives it through PlanWindow: Init reloads the rows, ReDraw draws the
/// graph, Resize lays it out. Each takes the view (display years, size, graph-only) as
/// one PlanView; the members without arguments take the view of the module settings.
class frmGraph : public PlanWindow
{
    Q_OBJECT

public:
    static const QString kObjectName; // "frmGraph", the name its errors are logged under

    explicit frmGraph(QWidget *parent = nullptr);
    ~frmGraph() override;

    QVariant Pro_Type() const override { return m_type; }
    void Form_Load() override;
    void Init() override;
    void ReDraw() override;
    void Resize() override;
    void setImage(const QPixmap &picture) override;

    /// Form_Load with a given view.
    void load(const PlanView &view);
    /// The plan's yearly rows up to the view's last display year.
    void Init(const PlanView &view);
    /// Clears the picture and draws the graph of the loaded rows for the view's years and size.
    void ReDraw(const PlanView &view);
    /// The layout of the view's size, cut to the graph in graph-only mode. A minimised
    /// window is left as it is.
    void Resize(const PlanView &view);

    /// The type, the plan name from the type's plan table, the caption, picture and icon.
    void ApplyPlanType(int type);

    const QVector<ResultRow> &rows() const;
    /// The graph as last drawn, in twips of the picture (empty for a plan without rows).
    const DrawList &graph() const;
    /// mPlotWidth × mPlotHeight: the plot area of the picture, in twips.
    QSize plotSize() const { return QSize(mPlotWidth, mPlotHeight); }
    QString planName() const { return mPlanName; }
    /// True while the print command runs.
    bool isPrintBusy() const { return mPrintBusy; }

    /// The back colour of a plan number (five colours in turn).
    static QColor backColorOf(int planNumber);

    void lbutInput_Click();
    void lbutPrint_Click();
    void lbutDelete_Click();

protected:
    /// Discarding the window deletes its plan after a question; while the workspace closes,
    /// the window only frees its number.
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    /// Tells the user that the rows could not be read from a damaged file.
    void tellDamagedFile();
    void SetControlsColor();
    void SetTDBGridColumns();
    void TDBGrid_Click();
    /// Draws the graph of the loaded rows (the picture was cleared).
    void DrawGraph(const PlanView &view);
    /// Runs the fill steps and both print jobs; returns early, silently, where nothing is to
    /// be printed.
    void printReports();
    /// Init and ReDraw on every plan window of the workspace (only this one without one).
    void reloadAllWindows();
    /// Deletes the plan; false (after telling the user) when nothing could be deleted.
    bool discardPlan();

    int m_type = 0;
    int mPlotWidth = 4440; ///< the plot area of the graph, in twips (set by Resize)
    int mPlotHeight = 4115;
    bool mPrintBusy = false;
    QString mPlanName;
    PlanView m_drawnView; ///< the view the graph was last drawn for

    QWidget *m_content = nullptr;
    GraphPicture *m_picGraph = nullptr;
    QTableView *m_grid = nullptr;
    YearlyTableModel *m_model = nullptr;
    QLabel *m_imgImage = nullptr;
    QWidget *m_lbutInput = nullptr;
    QWidget *m_lbutPrint = nullptr;
    QWidget *m_lbutDelete = nullptr;
};
