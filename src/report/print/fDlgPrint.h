#pragma once

#include <QDialog>

#include <array>

class LineButton;
class QLabel;

/// The confirmation of a print job: a picture, a bold prompt, an optional second
/// line and up to three buttons "プレビュー" (4), "印　刷" (2) and "キャンセル" (1),
/// chosen by the bits of DialogStyle. The window sizes itself from its texts and
/// buttons: a prompt wider than 600 pixels wraps. DialogShow returns the value of
/// the button clicked; Esc and closing the window give 1.
///
/// DialogStyle &H100 gives the first focus to the second shown button, &H200 to
/// the third; the bits 8, 16 and 32 have no effect.
class fDlgPrint : public QDialog
{
    Q_OBJECT

public:
    enum Result { Cancel = 1, Print = 2, Preview = 4 };

    explicit fDlgPrint(QWidget *parent = nullptr);

    /// Lays the window out, shows it modally and returns the result.
    int DialogShow();

    QString DialogTitle() const { return m_title; }
    void setDialogTitle(const QString &title) { m_title = title; }
    QString DialogPrompt() const { return m_prompt; }
    void setDialogPrompt(const QString &prompt) { m_prompt = prompt; }
    QString DialogSubPrompt() const { return m_subPrompt; }
    void setDialogSubPrompt(const QString &prompt) { m_subPrompt = prompt; }
    int DialogStyle() const { return m_style; }
    void setDialogStyle(int style) { m_style = style; }

    /// The number of buttons the last layout showed, and what the one at index returns.
    int shownButtons() const { return m_shown; }
    int buttonValue(int index) const { return m_values.at(index); }
    /// The margin and the width limit of the layout, 8 and 600 pixels of the screen.
    int margin() const { return m_margin; }
    int widthLimit() const { return m_widthLimit; }
    /// Lays the window out without showing it (DialogShow does this first).
    void arrange();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void cmdButton_Click(int index);
    void Form_Activate();

    QLabel *ImgMark = nullptr;
    QLabel *lblPrompt = nullptr;
    QLabel *lblSubPrompt = nullptr;
    std::array<LineButton *, 3> cmdButton{};

    QString m_title = QStringLiteral("Print Dialog");
    QString m_prompt;
    QString m_subPrompt;
    int m_style = 7;
    int m_result = 0;
    int m_shown = 0;
    std::array<int, 6> m_values{};
    int m_margin = 8;
    int m_widthLimit = 600;
    bool m_closing = false;
};
