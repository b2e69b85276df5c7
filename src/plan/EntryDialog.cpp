#include "EntryDialog.h"

#include "cFrmCtrl.h"

#include <QCloseEvent>
#include <QKeyEvent>

EntryDialog::EntryDialog(const QString &objectName, QWidget *parent) : QDialog(parent), m_trap(objectName)
{
    setObjectName(objectName);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

EntryDialog::~EntryDialog()
{
    Form_Unload();
}

void EntryDialog::createController()
{
    m_ctrl = new cFrmCtrl(this);
    m_ctrl->ControlForm(this);
    m_ctrl->DataClear();
}

void EntryDialog::unload(int result)
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    done(result);
}

void EntryDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void EntryDialog::closeEvent(QCloseEvent *event)
{
    if (!m_unloaded)
        m_trap("lbutClose_Click", [this] { closeRequested(); });
    if (m_unloaded)
        event->accept();
    else
        event->ignore();
}

void EntryDialog::Form_Unload()
{
    m_trap("Form_Unload", [this] {
        if (m_ctrl) {
            m_ctrl->TerminateControls();
            delete m_ctrl;
            m_ctrl = nullptr;
        }
    });
}
