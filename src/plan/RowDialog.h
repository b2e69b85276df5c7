#pragma once

#include "EntryDialog.h"
#include "RowGrid.h"

#include <QPointer>
#include <QVariant>

#include <cstdint>

/// What the rent-row and loan-row dialogs share: the row-dialog protocol and the
/// flow of their two buttons. A dialog edits one row of a plan's work rows and saves
/// it at once, in its own transaction, so the owner form's grid shows it.
///
/// Used as both plan forms use it, created anew for each showing:
/// \code
///   frmInputKariire dlg(this);
///   dlg.setPro_ID1(id1); dlg.setPro_ID2(id2); dlg.setPro_Renban(n);
///   dlg.setPro_Top(top); dlg.setPro_Left(left);   // twips on the screen
///   dlg.SetOwnerForm(this);                        // finds the owner's grid by name
///   dlg.showModal();
///   bool saved = dlg.Pro_State();                  // a row was saved in this showing
/// \endcode
/// With continuous entry (the SETTING key of the dialog = 1) the register button
/// moves on to the next row after each one, and closes at the last row or when it
/// is pressed on a new row without anything entered. The next row follows from the
/// key of the row edited, never from where the owner's grid stands.
class RowDialog : public EntryDialog
{
    Q_OBJECT

public:
    void setPro_ID1(const QVariant &id1) { m_id1 = id1.toInt(); }
    QVariant Pro_ID1() const { return m_id1; }
    void setPro_ID2(const QVariant &id2) { m_id2 = id2.toInt(); }
    QVariant Pro_ID2() const { return m_id2; }
    bool Pro_State() const { return m_state; }
    void setPro_State(bool state) { m_state = state; }
    /// Window position in twips on the screen, applied when the dialog loads.
    void setPro_Top(int twips) { m_top = twips; }
    int Pro_Top() const { return m_top; }
    void setPro_Left(int twips) { m_left = twips; }
    int Pro_Left() const { return m_left; }
    /// The plan form whose grid shows the rows.
    void SetOwnerForm(QWidget *owner);

    /// Loads the dialog and shows it modally; without the owner's grid it does not open.
    void showModal();
    /// Loads the dialog for the row without showing it (tests drive it shown non-modally).
    void Form_Load();

protected:
    /// name: the dialog's object name (also the error log's); ownerGrid: the object
    /// name of the owner's grid; setting: the SETTING key of continuous entry.
    RowDialog(const QString &name, const QString &caption, const QString &ownerGrid, const QString &setting,
              QWidget *parent);

    RowGrid *ownerGrid() const { return m_grid; }
    int32_t id1() const { return m_id1; }
    int32_t id2() const { return m_id2; }
    QWidget *lbutAdd() const { return m_lbutAdd; }
    QWidget *lbutClose() const { return m_lbutClose; }
    /// Places the two buttons at a top edge, right-aligned to a right edge (twips).
    void placeButtons(int right, int top);

    // What each dialog adds, run through its own trap by the flow.
    virtual void SetControlsColor() = 0;
    virtual void InitCombo() {}
    /// The row's stored values into the controls (nothing for a new row).
    virtual void Init() = 0;
    /// The input checks in order, with their messages; true when the row may be saved.
    virtual bool checkInput() { return true; }
    /// Saves the row into the work rows; throws a ProcedureError on failure.
    virtual void SaveRecord() = 0;
    /// The position of the edited row in the owner's grid, from its key.
    virtual int rowIndex() const = 0;
    /// In continuous entry: no row follows the edited one, with count rows stored.
    virtual bool isLastRow(int count) const = 0;
    /// In continuous entry: the key of the next row.
    virtual void nextRow() = 0;
    /// The control that takes the focus on the next row.
    virtual QWidget *firstInput() const = 0;

    void closeRequested() override { lbutClose_Click(); }

private:
    /// Without the owner's grid there is no row to edit: the dialog unloads itself.
    bool Form_Activate();
    bool saveChecked();
    void putOwnerGridBack(int startRow);
    void lbutAdd_Click();
    void lbutClose_Click();

    QString m_gridName;
    QString m_setting;
    int32_t m_id1 = 0;
    int32_t m_id2 = 0;
    bool m_state = false;
    int m_top = 0;
    int m_left = 0;
    QPointer<QWidget> m_owner;
    QPointer<RowGrid> m_grid;
    bool m_loaded = false;
    bool m_busy = false;
    QWidget *m_lbutAdd = nullptr;
    QWidget *m_lbutClose = nullptr;
};
