#pragma once

#include "FormTrap.h"

#include <QDialog>

class cFrmCtrl;

/// The window of the plan entry forms and their row dialogs. It closes only through
/// the form's own close path (its cancel or close button, which asks first when
/// something was entered); the window's close box takes that path too, and Escape
/// does nothing, so nothing typed is lost without the question. The form's
/// controller, made by the form's load, ends with the window.
class EntryDialog : public QDialog
{
    Q_OBJECT

public:
    ~EntryDialog() override;

protected:
    EntryDialog(const QString &objectName, QWidget *parent);

    const FormTrap &trap() const { return m_trap; }
    cFrmCtrl *ctrl() const { return m_ctrl; }
    /// Makes the form's controller, binds the form's controls to it and clears them.
    void createController();

    /// The form's close path; it calls unload() when the window may close.
    virtual void closeRequested() = 0;
    /// Ends the showing with the result; later calls do nothing.
    void unload(int result);
    bool isUnloaded() const { return m_unloaded; }

    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

    cFrmCtrl *m_ctrl = nullptr;

private:
    void Form_Unload();

    FormTrap m_trap;
    bool m_unloaded = false;
};
