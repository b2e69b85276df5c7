#pragma once

#include <QMdiSubWindow>
#include <QVariant>

class PlanWorkspace;
class QIcon;
class QPixmap;

/// A plan window of the property workspace (one per open plan). The workspace
/// creates it through the factory of ShellHooks, sets the property and plan
/// numbers, calls Form_Load, shows it, and later drives it through the members
/// below. Its plan number is its slot in the workspace: when it closes it frees the
/// slot with releaseSlot() (the workspace's ReleaseID).
class PlanWindow : public QMdiSubWindow
{
    Q_OBJECT

public:
    explicit PlanWindow(QWidget *parent = nullptr);
    ~PlanWindow() override;

    /// The property number ID1.
    void setPro_ID1(const QVariant &id1) { m_id1 = id1.toInt(); }
    QVariant Pro_ID1() const { return m_id1; }
    /// The plan number ID2, 1 to 20.
    void setPro_ID2(const QVariant &id2) { m_id2 = id2.toInt(); }
    QVariant Pro_ID2() const { return m_id2; }

    /// The plan type the window found when it loaded: 1 parking, 2 apartment, 3 store.
    virtual QVariant Pro_Type() const = 0;
    /// Loads the window once its two numbers are set: rows, layout, picture, icon, caption.
    virtual void Form_Load() = 0;
    /// Reloads the plan's yearly rows for the current year filter.
    virtual void Init() = 0;
    /// Redraws the graph from the loaded rows.
    virtual void ReDraw() = 0;
    /// Lays the window out for the current size and graph-only settings.
    virtual void Resize() = 0;
    /// The identification picture of the plan type (a null picture clears it).
    virtual void setImage(const QPixmap &picture) = 0;
    /// Shows a new picture and icon at once.
    virtual void RefreshView();

    /// Sets the picture and the window icon of the window's plan type from the
    /// settings (gImage1 to gImage3, gIcon1 to gIcon3); another type keeps both.
    /// An empty path clears. False when a file of the settings could not be read:
    /// that picture or icon then stays as it was.
    bool applyTypePicture();

    /// The workspace that holds the window (set by the workspace before Form_Load); it
    /// outlives the window, which is one of its children.
    PlanWorkspace *workspace() const { return m_workspace; }
    void setWorkspace(PlanWorkspace *workspace) { m_workspace = workspace; }

    /// Gives the focus to the window's first control that Tab reaches (or its last); a
    /// window without one (cut to its graph) takes the focus itself.
    void focusEdge(bool first);

protected:
    /// Frees the window's plan number in its workspace; the window's close calls it.
    void releaseSlot();
    /// Tab runs through the window's controls and on to the workspace's buttons.
    bool focusNextPrevChild(bool next) override;
    /// The window's icon; without one (a null icon) the program's own.
    void setPlanIcon(const QIcon &icon);

private:
    int m_id1 = 0;
    int m_id2 = 0;
    PlanWorkspace *m_workspace = nullptr;
};
