#pragma once

// The pictures of the demo data: product photos, adverts, announcements and banners, drawn with
// QPainter (a QGuiApplication must exist, for the fonts).

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

namespace vk::server {

// A product picture (JPEG, 400 × 300, well over 1200 bytes): a drawing that fits the main group,
// with the part code and name.
QByteArray partPictureJpeg(const QString& mainGroup, const QString& code, const QString& name,
                           int variant);

// An opening advert (600 × 400) or an announcement (605 × 405) as JPEG: headline, subline and
// the distributor's colours.
QByteArray advertJpeg(const QString& headline, const QString& subline, int variant, QSize size);

// Frames of an animated banner of the given size with a moving highlight over the text.
QList<QImage> bannerFrames(QSize size, const QString& text, int frameCount);

// A still banner image (for the PNG, JPEG and BMP variants).
QImage bannerImage(QSize size, const QString& text);

// The image in a file format Qt writes ("PNG", "JPEG", "BMP").
QByteArray imageBytes(const QImage& image, const char* format, int quality = -1);

} // namespace vk::server
