#pragma once

#include "DrawList.h"

#include <QColor>
#include <QPixmap>
#include <QWidget>

/// The plan window's picture box (picGraph): it keeps what was last drawn on it as an
/// image, made once per drawing, so repainting the window costs no drawing. The drawing
/// itself stays available as a list in twips for the printed sheet.
class GraphPicture : public QWidget
{
    Q_OBJECT

public:
    explicit GraphPicture(QWidget *parent = nullptr);

    /// The picture's size in twips, read back from its size in pixels.
    QSizeF sizeTwips() const;
    /// Clears the picture to its back colour.
    void clear();
    /// Draws the list over the whole picture (the list's canvas mapped onto it).
    void draw(const DrawList &list);
    const DrawList &drawing() const { return m_drawing; }
    const QPixmap &image() const { return m_image; }
    /// The picture's own back colour, which shows where nothing is drawn.
    QColor backColor() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    DrawList m_drawing;
    QPixmap m_image;
};
