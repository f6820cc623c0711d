#pragma once

// A GIF89a encoder: Qt reads GIF but does not write it.

#include <QByteArray>
#include <QImage>
#include <QList>

namespace vk::server {

// An animated GIF of equal-size frames that share one palette (up to 256 colours), each shown
// for delayCentiseconds, looping forever. A single frame gives a still GIF.
QByteArray writeAnimatedGif(const QList<QImage>& frames, int delayCentiseconds);

} // namespace vk::server
