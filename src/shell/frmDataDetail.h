#pragma once

#include <QDialog>

class ImNumber;
class ImText;
class cFrmCtrl;

/// Registration of a new property under the next free property number. A stored
/// property is never edited: it is deleted and registered again.
class frmDataDetail : public QDialog
{
    Q_OBJECT

public:
    explicit frmDataDetail(QWidget *parent = nullptr);
    ~frmDataDetail() override;

    /// The property number given by the last successful registration, 0 when none.
    int registeredID1() const { return m_registered; }

protected:
    /// Escape does not close the form: typed data would be lost without the
    /// question the close button asks.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildControls();
    void Form_Load();
    void Init();
    void SetControlsColor();
    void lbutAdd_Click();
    void lbutClose_Click();
    void CheckInputValue(bool &result);
    void SaveRecord(bool &result);
    void Form_Unload();

    cFrmCtrl *m_ctrl = nullptr;
    ImText *m_txtName = nullptr;
    ImNumber *m_numSikiti = nullptr;
    ImNumber *m_numHyoka = nullptr;
    ImNumber *m_numKotei = nullptr;
    ImNumber *m_numTosi = nullptr;
    QWidget *m_lbutAdd = nullptr;
    QWidget *m_lbutClose = nullptr;
    int m_registered = 0;
    bool m_unloaded = false;
};
