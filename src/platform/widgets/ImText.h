#pragma once

#include "ImBox.h"

/// The text entry box. MaxLength limits the text; with LengthAsByte (as the form
/// controller sets it) the limit counts bytes of the Japanese ANSI code page, a
/// double-byte character counting 2. Typed, pasted or dropped text that would pass
/// the limit is cut at its own end, at a whole character, the text held around it kept
/// whole; text set by the program keeps its head. Control characters (line breaks,
/// tabs) are dropped: the box is single-line.
/// Change is raised for every change of the text.
class ImText : public ImBox
{
    Q_OBJECT
    Q_PROPERTY(QString Text READ Text WRITE setText NOTIFY Change)
    Q_PROPERTY(int MaxLength READ MaxLength WRITE setMaxLength)
    Q_PROPERTY(bool LengthAsByte READ LengthAsByte WRITE setLengthAsByte)

public:
    explicit ImText(QWidget *parent = nullptr);

    QString Text() const { return text(); }
    /// 0: no limit.
    int MaxLength() const { return m_maxLength; }
    void setMaxLength(int length);
    bool LengthAsByte() const { return m_lengthAsByte; }
    void setLengthAsByte(bool on);

    /// Length of a text as the limit counts it.
    int lengthOf(const QString &text) const;
    /// The leading whole characters of text that fit in the limit.
    QString fitted(const QString &text, int limit) const;

Q_SIGNALS:
    void Change();

private:
    int m_maxLength = 0;
    bool m_lengthAsByte = false;

    friend class TextLimitValidator;
};
