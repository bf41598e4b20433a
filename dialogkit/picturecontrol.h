// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QRect>
#include <QWidget>

namespace dialogkit {

// A static picture control: shows one picture at its top-left corner, takes the picture's size,
// and without a picture shows nothing (the window background). Setting the picture it already
// shows costs nothing; a picture larger than the control's place is raised above its siblings
// so that its overhang stays visible.
class PictureControl : public QWidget
{
    Q_OBJECT
public:
    explicit PictureControl(QWidget *parent = nullptr);

    // Shows `picture` (the pixmap is shared, not copied); a null pixmap clears the control.
    void setPicture(const QPixmap &picture);
    const QPixmap &picture() const { return m_picture; }

    // Moves the control: its top-left corner, and its size while it shows no picture.
    void setPlace(const QRect &place);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QSize wantedSize() const;

    QPixmap m_picture;
    QRect m_place;
};

} // namespace dialogkit
