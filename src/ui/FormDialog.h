#pragma once

#include "FormTrap.h"

#include <QDialog>

class cFrmCtrl;

/// A modal entry form with its controller and its error trap. Escape does not close
/// it: typed data would be lost without the question its close button asks. The
/// window's close box takes the form's own close path (closeRequested, logged as
/// "lbutClose_Click") and closes the window only when that path unloaded the form.
/// The controller is released when the form goes.
class FormDialog : public QDialog
{
    Q_OBJECT

public:
    ~FormDialog() override;

protected:
    /// name: the form's object name, also the error log's.
    FormDialog(const QString &name, const QString &caption, QWidget *parent);

    const FormTrap &trap() const { return m_trap; }
    cFrmCtrl *ctrl() const { return m_ctrl; }
    /// Creates the controller, binds the form's controls to it and clears them.
    void createController();
    bool isUnloaded() const { return m_unloaded; }
    /// Closes the form, once, with the result.
    void unload(int result);
    /// The form's close button.
    virtual void closeRequested() = 0;

    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_Unload();

    FormTrap m_trap;
    cFrmCtrl *m_ctrl = nullptr;
    bool m_unloaded = false;
};
