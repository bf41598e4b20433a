// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogkit/picturecontrol.h"

#include <QPainter>

namespace dialogkit {

PictureControl::PictureControl(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
}

void PictureControl::setPicture(const QPixmap &picture)
{
    if (picture.cacheKey() == m_picture.cacheKey())
        return;
    m_picture = picture;
    // An opaque picture lets the window skip painting its background underneath.
    setAttribute(Qt::WA_OpaquePaintEvent, !m_picture.isNull() && !m_picture.hasAlphaChannel());
    const QSize size = wantedSize();
    if (size != this->size())
        resize(size);
    if (size.width() > m_place.width() || size.height() > m_place.height())
        raise();
    update();
}

void PictureControl::setPlace(const QRect &place)
{
    m_place = place;
    setGeometry(QRect(place.topLeft(), wantedSize()));
}

QSize PictureControl::wantedSize() const
{
    if (m_picture.isNull())
        return m_place.size();
    return m_picture.deviceIndependentSize().toSize();
}

void PictureControl::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
}

} // namespace dialogkit
