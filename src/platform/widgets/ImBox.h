#pragma once

#include <QFont>
#include <QLineEdit>

/// What the number box (ImNumber) and the text box (ImText) have in common: the
/// keys on which the box itself moves the focus (NextCtrl, PrevCtrl), selecting the
/// content on entry (HighlightText), read-only state, and the box's own caption
/// look, which the form controller colours together with the caption label.
class ImBox : public QLineEdit
{
    Q_OBJECT
    /// Keys on which the box moves the focus to the next control, as "{Enter},{Down}";
    /// empty: the box leaves such keys to the form.
    Q_PROPERTY(QString NextCtrl READ NextCtrl WRITE setNextCtrl)
    /// Keys on which it moves back, as "+{Enter},{Up}".
    Q_PROPERTY(QString PrevCtrl READ PrevCtrl WRITE setPrevCtrl)
    Q_PROPERTY(bool HighlightText READ HighlightText WRITE setHighlightText)
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE setReadOnly)

public:
    /// The box's own caption colours and font. The forms show their captions as
    /// separate labels, so this look is kept but not drawn.
    struct CaptionLook {
        quint32 BackColor = 0x8000000F;
        quint32 ForeColor = 0x80000008;
        QFont Font;
    };

    /// An edit of the box's text: the text before it with its part from `start` to `end`
    /// replaced by the new text's part from `start` to `insertEnd`.
    struct Edit {
        int start = 0;
        int end = 0;
        int insertEnd = 0;
    };

    explicit ImBox(QWidget *parent = nullptr);

    /// The edit its validator is judging, which made `after` with the cursor at `pos`.
    /// The box keeps where the next edit happens (its selection, or its cursor), so text
    /// put in there by a key, a paste, a drop or an input method is known as such; any
    /// other change (Backspace, an undo) counts as the whole text typed anew.
    Edit editOf(const QString &after, int pos) const;

    QString NextCtrl() const { return m_nextCtrl; }
    void setNextCtrl(const QString &keys) { m_nextCtrl = keys; }
    QString PrevCtrl() const { return m_prevCtrl; }
    void setPrevCtrl(const QString &keys) { m_prevCtrl = keys; }
    bool HighlightText() const { return m_highlightText; }
    void setHighlightText(bool on) { m_highlightText = on; }
    bool ReadOnly() const { return isReadOnly(); }
    void setReadOnly(bool on) { QLineEdit::setReadOnly(on); }
    /// The boxes here are single-line.
    bool MultiLine() const { return false; }

    CaptionLook &Caption() { return m_caption; }
    const CaptionLook &Caption() const { return m_caption; }

protected:
    /// With HighlightText the content is selected whenever the box is entered: by
    /// Tab, by the program, when its window opens, by a click.
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void select(bool all);
    void keepPlace(bool textChanged);

    QString m_nextCtrl;
    QString m_prevCtrl;
    bool m_highlightText = true;
    bool m_leftWithWindow = false; // the focus went to another window or a pop-up
    CaptionLook m_caption;
    // The text as last reported and, in it, the selection's anchor and the cursor.
    QString m_placeText;
    int m_placeAnchor = 0;
    int m_placeCursor = 0;
};
