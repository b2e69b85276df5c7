#pragma once

#include <QDialog>
#include <QPointer>
#include <QVariant>

#include <cstdint>

class ImNumber;
class ImText;
class LoanGrid;
class QComboBox;
class cFrmCtrl;

/// The loan-row dialog: one loan of a plan (lender, amount, repayment method, term,
/// one or two rate periods), saved at once into the plan's work rows (W_借入金) in
/// its own transaction, so the owner form's loan grid shows it.
///
/// Used as both plan forms use it, created anew for each showing:
/// \code
///   frmInputKariire dlg(this);
///   dlg.setPro_ID1(id1); dlg.setPro_ID2(id2); dlg.setPro_Renban(n);
///   dlg.setPro_Top(top); dlg.setPro_Left(left);   // twips on the screen
///   dlg.SetOwnerForm(this);                        // finds the grid TDBKariire
///   dlg.showModal();
///   bool saved = dlg.Pro_State();                  // a row was saved in this showing
/// \endcode
/// With continuous entry (settings SETTING 借入金 = 1) the register button moves on
/// to the next loan number after each row, up to loan 3, and closes when it is
/// pressed on a new row without anything entered.
class frmInputKariire : public QDialog
{
    Q_OBJECT

public:
    explicit frmInputKariire(QWidget *parent = nullptr);
    ~frmInputKariire() override;

    void setPro_ID1(const QVariant &id1) { m_id1 = id1.toInt(); }
    QVariant Pro_ID1() const { return m_id1; }
    void setPro_ID2(const QVariant &id2) { m_id2 = id2.toInt(); }
    QVariant Pro_ID2() const { return m_id2; }
    void setPro_Renban(const QVariant &renban) { m_renban = renban.toInt(); }
    QVariant Pro_Renban() const { return m_renban; }
    bool Pro_State() const { return m_state; }
    void setPro_State(bool state) { m_state = state; }
    /// Window position in twips, applied when the dialog loads.
    void setPro_Top(int twips) { m_top = twips; }
    int Pro_Top() const { return m_top; }
    void setPro_Left(int twips) { m_left = twips; }
    int Pro_Left() const { return m_left; }
    /// The plan form whose loan grid (TDBKariire) shows the rows.
    void SetOwnerForm(QWidget *owner);

    /// Loads the dialog and shows it modally; without an owner it does not open.
    void showModal();
    /// Loads the dialog for the row without showing it (tests drive it shown non-modally).
    void Form_Load();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    bool Form_Activate();
    void SetControlsColor();
    void InitCombo();
    void Init();
    void lbutAdd_Click();
    void lbutClose_Click();
    bool CheckInputValue();
    bool CheckInputValue2();
    bool SaveRecord();
    bool saveChecked();
    void putOwnerGridBack(int startRow);
    void unload();
    void Form_Unload();
    int defaultMethod() const;

    int32_t m_id1 = 0;
    int32_t m_id2 = 0;
    int32_t m_renban = 0;
    bool m_state = false;
    int m_top = 0;
    int m_left = 0;
    QPointer<QWidget> m_owner;
    QPointer<LoanGrid> m_grid;
    cFrmCtrl *m_ctrl = nullptr;
    bool m_loaded = false;
    bool m_unloaded = false;
    bool m_busy = false;

    ImText *m_txtName = nullptr;
    ImNumber *m_numKariire = nullptr;
    QComboBox *m_cmbHensai = nullptr;
    ImNumber *m_numNen1 = nullptr;
    ImNumber *m_numKinri1 = nullptr;
    ImNumber *m_numNen2 = nullptr;
    ImNumber *m_numKinri2 = nullptr;
    QWidget *m_lbutAdd = nullptr;
    QWidget *m_lbutClose = nullptr;
};
