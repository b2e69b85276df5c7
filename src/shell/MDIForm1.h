#pragma once

#include "PlanWorkspace.h"

#include <QList>
#include <QMainWindow>
#include <QPixmap>
#include <QPointer>
#include <QSet>
#include <QVariant>

#include <array>

class PlanWindow;
class QAction;
class QMdiArea;
class QMenu;

/// The workspace of one open property: its plan windows (at most 20, one per plan
/// number), the new-plan and close buttons, and the File, Window and Help menus.
/// The property list sets Pro_ID1 and gPropertyName and shows it; closing it saves
/// the view settings and emits unloaded(), on which the list shows itself again.
class MDIForm1 : public QMainWindow, public PlanWorkspace
{
    Q_OBJECT

public:
    static constexpr int kSlots = 20;

    explicit MDIForm1(QWidget *parent = nullptr);
    ~MDIForm1() override;

    void setPro_ID1(const QVariant &id1) { m_id1 = id1.toInt(); }
    QVariant Pro_ID1() const { return m_id1; }

    void ReleaseID(int idx) override;
    QList<PlanWindow *> planWindows() const override;
    void reloadPlanWindows(const PlanWindow *loaded = nullptr) override;
    bool isClosing() const override;
    void reportDamagedFile() override;
    /// Whether a plan number is taken (tests and the plan windows).
    bool isSlotUsed(int idx) const;
    QMdiArea *mdiArea() const { return m_area; }

    /// Applies the background picture and every plan window's picture and icon.
    void ChangeView();
    bool focusButtons(bool first) override;

Q_SIGNALS:
    /// The workspace has closed and saved its settings.
    void unloaded();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    /// Tab runs from the buttons into the active plan window and back out.
    bool focusNextPrevChild(bool next) override;

private:
    /// The background picture shown once, centred, on the dark workspace colour.
    void paintBackground();
    void arrangeInRows(bool horizontal, double limit);
    /// Scrolls the view back to the workspace's corner: the arrangements place the windows
    /// from (0, 0) of the workspace, and a view left scrolled would keep an empty room left
    /// of and above them in its range.
    void scrollToCorner();
    void buildMenus();
    void Form_Load();
    void SetControlsColor();
    void LoadfrmGraph();
    void openPlanWindow(int idx);
    /// The first number that is neither taken by a window nor among stored; 0 when none.
    int firstFreeSlot(const QSet<int> &stored = {}) const;
    void updateAddButton(const QSet<int> &stored = {});
    /// Resize, then ReDraw, on every open plan window in turn.
    void relayoutPlanWindows();
    /// The plan numbers of the property that hold rows in any plan table; throws a
    /// DaoError when they cannot be read.
    QSet<int> storedPlanNumbers() const;
    void MDIForm_Resize();

    void lbutAdd_Click();
    void menuFile_System_Click();
    void menuFile_Print_Click();
    void menuHelp_Version_Click();

    void SetSetting();
    void CheckBetweenNen();
    void CheckviewWindowOnly();
    void CheckSizeSelect();
    void menuWindow_Between_Nen_Click(int index);
    void menuWindow_Only_Click();
    void menuWindow_Size_Select_Click(int index);
    void menuWindow_Order_P_Click();
    void menuWindow_Order_H_Click();
    void menuWindow_Order_V_Click();

    int m_id1 = 0;
    bool m_loaded = false;
    bool m_unloaded = false;
    bool m_damageReported = false;
    QPixmap m_backPicture;
    std::array<bool, kSlots + 1> m_slotUsed{};
    std::array<QPointer<PlanWindow>, kSlots + 1> m_planWindows{};

    QMdiArea *m_area = nullptr;
    QWidget *m_toolbar = nullptr; // Picture1
    QWidget *m_lbutAdd = nullptr;
    QWidget *m_lbutClose = nullptr;
    QList<QAction *> m_sizeItems;     // indexes 1 to 3
    QList<QAction *> m_intervalItems; // indexes 1 to 4
    QAction *m_onlyItem = nullptr;
};
