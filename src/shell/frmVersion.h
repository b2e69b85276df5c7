#pragma once

#include <QDialog>

class QLabel;

/// The about box: the program's version and the contact address, which opens
/// like a link (http, https and mailto addresses only).
class frmVersion : public QDialog
{
    Q_OBJECT

public:
    explicit frmVersion(QWidget *parent = nullptr);

    /// Fills the version and address labels.
    void SetData();
    /// Whether an address may be handed to the desktop to open.
    static bool isOpenableAddress(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void SetControlsColor();
    void setLinkLook(bool on);
    void labUrl_Click();
    void placeCentred(QLabel *label, int left, int top, int width, int height);

    QLabel *m_labBack = nullptr;
    QLabel *m_labVer = nullptr;
    QLabel *m_labInfo = nullptr;
    QLabel *m_labUrl = nullptr;
    QWidget *m_lbutClose = nullptr;
};
