#pragma once

#include <QWidget>

/// The action button of every form: a push button with a coloured underline along
/// its bottom edge. The underline is 14 horizontal segments, each narrower and
/// brighter than the one below it (segment 0 spans the whole width, 4 pixels wide;
/// segments 1 to 13 are 2 pixels wide and centred), so it glows in the middle. Its
/// base colour is LineColor (0x00BBGGRR or a system colour; default 0xFFFF00,
/// cyan), which forms set through cApl::SetButLineColor.
///
/// Click is raised by a mouse click on the control, and by Enter or Space while it
/// has the focus; a disabled button raises nothing. Members of a button array share
/// their object name and carry the int property "index"; the form's slot for Click
/// reads it from the sender (or captures it). The control is never narrower
/// than one blank of its font, nor lower than one text line plus the underline.
/// Its dynamic property "vbTypeName" is "LineButton".
class LineButton : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(quint32 LineColor READ LineColor WRITE setLineColor)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(quint32 BackColor READ BackColor WRITE setBackColor)

public:
    static constexpr int SegmentCount = 14;

    /// One drawn segment of the underline, in pixels of the control.
    struct Segment {
        quint32 colour = 0; ///< 0x00BBGGRR
        int width = 0;      ///< line width
        double x1 = 0;
        double x2 = 0;
        int y = 0; ///< the line's centre: the inner button's bottom edge
    };

    explicit LineButton(QWidget *parent = nullptr);
    explicit LineButton(const QString &caption, QWidget *parent = nullptr);

    QString Caption() const { return m_caption; }
    void setCaption(const QString &caption);
    quint32 LineColor() const { return m_lineColor; }
    /// Stores the colour and recolours the underline at once.
    void setLineColor(quint32 colour);
    /// The button face colour (default 0x8000000F, the system button face).
    quint32 BackColor() const { return m_backColor; }
    void setBackColor(quint32 colour);

    Segment segment(int index) const;
    /// Height of the strip under the inner button that holds the underline.
    int underlineHeight() const { return 4; }
    /// Whether the inner button is drawn pressed.
    bool isDown() const { return m_down; }

    /// Each of red, green and blue of the (translated) colour plus amount, kept in 0..255.
    static quint32 Bright(quint32 colour, int amount);
    /// Each component moved towards (percent < 100) or away from the middle grey.
    static quint32 Contrast(quint32 colour, int percent);
    /// min when value < min, max when value > max, otherwise value.
    static double RangeCheck(double value, double min, double max);
    /// A system colour replaced by its present value; a plain colour unchanged.
    static quint32 TranslateColor(quint32 colour);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void Click();
    void bGotFocus();
    void bLostFocus();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void DrawUnderline();
    void updateMinimum();
    void emitTrapped(void (LineButton::*signal)(), const char *procedure);

    QString m_caption;
    quint32 m_lineColor = 0xFFFF00;
    quint32 m_backColor = 0x8000000F;
    quint32 m_segmentColour[SegmentCount] = {};
    bool m_down = false;
    bool m_spaceDown = false;
};
