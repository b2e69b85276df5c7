#include "FormDialog.h"

#include "cFrmCtrl.h"

#include <QCloseEvent>
#include <QKeyEvent>

FormDialog::FormDialog(const QString &name, const QString &caption, QWidget *parent) : QDialog(parent), m_trap(name)
{
    setObjectName(name);
    setWindowTitle(caption);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

FormDialog::~FormDialog()
{
    Form_Unload();
}

void FormDialog::createController()
{
    m_ctrl = new cFrmCtrl(this);
    m_ctrl->ControlForm(this);
    m_ctrl->DataClear();
}

void FormDialog::unload(int result)
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    done(result);
}

void FormDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void FormDialog::closeEvent(QCloseEvent *event)
{
    if (!m_unloaded)
        m_trap("lbutClose_Click", [this] { closeRequested(); });
    if (m_unloaded)
        event->accept();
    else
        event->ignore();
}

void FormDialog::Form_Unload()
{
    m_trap("Form_Unload", [this] {
        if (m_ctrl) {
            m_ctrl->TerminateControls();
            delete m_ctrl;
            m_ctrl = nullptr;
        }
    });
}
