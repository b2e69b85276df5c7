#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QVariant>

class MDIForm1;
class PropertyListModel;
class QTableView;

/// The home window: the registered properties in a grid, with new, open and
/// delete, the settings, printer settings and version windows. Closing it ends
/// the program after the user confirms.
class frmDataList : public QMainWindow
{
    Q_OBJECT

public:
    /// damageTold: the start has just told the user that the database file is damaged,
    /// so the list does not tell it again as it reads its rows.
    explicit frmDataList(QWidget *parent = nullptr, bool damageTold = false);
    ~frmDataList() override;

    QTableView *grid() const { return m_grid; }
    PropertyListModel *model() const { return m_model; }
    /// The open workspace, if any.
    MDIForm1 *workspace() const;

Q_SIGNALS:
    /// The user confirmed the end and every window is closed: the program may end.
    void shutDown();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void Form_Load(bool damageTold);
    void SetControlsColor();
    void SetTDBGridColumns();
    void Init();
    void CheckRecordCount();
    void InitAndCheck();
    int currentRow() const;
    void layoutControls();
    void showAgain();

    void lbutNew_Click();
    void lbutSelect_Click();
    void lbutLineDel_Click();
    void menuFile_System_Click();
    void menuFile_Print_Click();
    void menuHelp_Version_Click();
    bool Form_QueryUnload();
    bool Form_Unload();

    PropertyListModel *m_model = nullptr;
    QTableView *m_grid = nullptr;
    QWidget *m_lbutNew = nullptr;
    QWidget *m_lbutSelect = nullptr;
    QWidget *m_lbutLineDel = nullptr;
    QWidget *m_lbutClose = nullptr;
    QPointer<MDIForm1> m_workspace;
    // The property opened and the list's scroll position when a workspace hid it.
    QVariant m_returnID1;
    int m_returnScroll = 0;
    bool m_closing = false;
    /// The user has been told that the database file is damaged, since the start.
    bool m_damageTold = false;
};
