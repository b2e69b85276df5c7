#include "RequiredInputs.h"

#include "MsgBox.h"

void RequiredInputs::check(bool missing, const char *label, QWidget *control)
{
    if (!missing)
        return;
    m_labels += QString::fromUtf8(label);
    if (!m_first)
        m_first = control;
}

bool RequiredInputs::report(QWidget *parent) const
{
    if (m_labels.isEmpty())
        return true;
    MsgBox::show(m_labels + QStringLiteral("を入力して下さい。"), MsgBox::Exclamation, QStringLiteral("確認"), parent);
    if (m_first)
        m_first->setFocus();
    return false;
}
