#include "seed/pictures.h"

#include "common/errors.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

#include <algorithm>

namespace vk::server {

namespace {

constexpr QRgb kTurquoise = 0xff1aa6b7;
constexpr QRgb kTurquoiseDark = 0xff12808e;
constexpr QRgb kTurquoiseLight = 0xff8fd8e0;
constexpr QRgb kGreyDark = 0xff2f353b;
constexpr QRgb kGrey = 0xff5d666e;
constexpr QRgb kGreyLight = 0xffd5dbe0;

constexpr QSize kPartSize(400, 300);
constexpr int kCaptionTop = 228;

QFont font(double pixelSize, bool bold, bool antialias = true) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(std::max(1, qRound(pixelSize)));
    f.setBold(bold);
    if (!antialias)
        f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

// The largest font (from the painter's, shrinking) with which the text fits the box.
void fitFont(QPainter& p, const QString& text, const QRectF& box, int flags, int minPixels) {
    QFont f = p.font();
    while (f.pixelSize() > minPixels) {
        const QRectF needed = QFontMetricsF(f, p.device()).boundingRect(box, flags, text);
        if (needed.width() <= box.width() && needed.height() <= box.height())
            break;
        f.setPixelSize(f.pixelSize() - 1);
    }
    p.setFont(f);
}

QImage canvas(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// Consecutive variants step through the choices of a picture's main trait...
int cycle(int variant, int count) {
    return (variant % count + count) % count;
}

// ... and draw the others from a hash of the variant, each trait with its own salt.
int trait(int variant, quint32 salt, int count) {
    quint32 h = static_cast<quint32>(variant) * 0x9e3779b9u + salt * 0x632be5abu;
    h ^= h >> 16;
    h *= 0x85ebca6bu;
    h ^= h >> 13;
    h *= 0xc2b2ae35u;
    h ^= h >> 16;
    return static_cast<int>(h % static_cast<quint32>(count));
}

QColor pick(std::initializer_list<QRgb> colours, int index) {
    return QColor(colours.begin()[index]);
}

// Shading across a cylinder of the given colour, from its left to its right edge.
QLinearGradient cylinderShade(double left, double right, const QColor& colour) {
    QLinearGradient g(left, 0, right, 0);
    g.setColorAt(0, colour.darker(170));
    g.setColorAt(0.3, colour.lighter(135));
    g.setColorAt(0.55, colour);
    g.setColorAt(1, colour.darker(200));
    return g;
}

QRadialGradient metal(QPointF centre, double radius, const QColor& base = QColor(0xb8bec4)) {
    QRadialGradient g(centre, radius, centre - QPointF(radius * 0.35, radius * 0.35));
    g.setColorAt(0, base.lighter(125));
    g.setColorAt(0.75, base);
    g.setColorAt(1, base.darker(160));
    return g;
}

void floorShadow(QPainter& p, QPointF centre, double width) {
    p.save();
    p.translate(centre);
    p.scale(1, 0.16);
    QRadialGradient g(QPointF(0, 0), width / 2);
    g.setColorAt(0, QColor(0, 0, 0, 90));
    g.setColorAt(1, QColor(0, 0, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(QPointF(0, 0), width / 2, width / 2);
    p.restore();
}

void studioBackground(QPainter& p, const QRectF& r) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(0xf8f9fa));
    g.setColorAt(0.65, QColor(0xe6eaed));
    g.setColorAt(1, QColor(0xd2d8dd));
    p.fillRect(r, g);
}

// --- the drawings of the main groups, inside the 400 × 228 picture area ---

void drawBrake(QPainter& p, int variant) {
    const double radius = 80 + trait(variant, 1, 12);
    const QPointF c(175, 112);
    floorShadow(p, QPointF(200, 212), 300);

    p.setPen(QPen(QColor(0x6c737a), 1.5));
    p.setBrush(metal(c, radius));
    p.drawEllipse(c, radius, radius);
    // Friction face: turning grooves, then drilled holes or slots.
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 4; ++i) {
        p.setPen(QPen(QColor(80, 86, 92, 60), 1));
        p.drawEllipse(c, radius * (0.62 + i * 0.09), radius * (0.62 + i * 0.09));
    }
    const int holes = 12 + 6 * trait(variant, 2, 3);
    const bool slotted = trait(variant, 3, 2) == 1;
    for (int i = 0; i < holes; ++i) {
        const double a = 2 * M_PI * i / holes;
        const QPointF at = c + QPointF(std::cos(a), std::sin(a)) * radius * 0.78;
        if (slotted) {
            p.setPen(QPen(QColor(70, 76, 82, 150), 2.5, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(at, c + QPointF(std::cos(a + 0.18), std::sin(a + 0.18)) * radius * 0.9);
        } else {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0x4a5056));
            p.drawEllipse(at, 3.2, 3.2);
        }
    }
    // Hat with bolt holes and the centre bore.
    p.setPen(QPen(QColor(0x5f666d), 1.2));
    p.setBrush(metal(c, radius * 0.42, QColor(0x9aa2a9)));
    p.drawEllipse(c, radius * 0.42, radius * 0.42);
    p.setBrush(QColor(0x2f3438));
    p.drawEllipse(c, radius * 0.14, radius * 0.14);
    const int bolts = 4 + trait(variant, 4, 2);
    for (int i = 0; i < bolts; ++i) {
        const double a = 2 * M_PI * i / bolts - M_PI / 2;
        p.drawEllipse(c + QPointF(std::cos(a), std::sin(a)) * radius * 0.28, 5, 5);
    }

    const QColor accent = pick({0xffc0392b, 0xffe0a800, kTurquoise, 0xff3b4248}, cycle(variant, 4));
    if (trait(variant, 6, 2) == 0) {
        // Caliper over the right edge of the disc.
        QPainterPath caliper;
        const QRectF outer(c.x() - radius - 10, c.y() - radius - 10, 2 * radius + 20,
                           2 * radius + 20);
        const QRectF inner(c.x() - radius + 28, c.y() - radius + 28, 2 * radius - 56,
                           2 * radius - 56);
        caliper.arcMoveTo(outer, 38);
        caliper.arcTo(outer, 38, -76);
        caliper.arcTo(inner, -38, 76);
        caliper.closeSubpath();
        QLinearGradient g(c + QPointF(radius - 30, -60), c + QPointF(radius + 10, 60));
        g.setColorAt(0, accent.lighter(140));
        g.setColorAt(1, accent.darker(150));
        p.setPen(QPen(accent.darker(180), 1.5));
        p.setBrush(g);
        p.drawPath(caliper);
        p.setPen(QPen(QColor(255, 255, 255, 120), 3, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        const QRectF mid = outer.adjusted(14, 14, -14, -14);
        p.drawArc(mid, 16 * 10, 16 * 22);
    } else {
        // A pair of pads standing beside the disc.
        for (int i = 0; i < 2; ++i) {
            const QRectF plate(292 + i * 26, 62 + i * 14, 46, 118);
            QPainterPath back;
            back.addRoundedRect(plate, 10, 10);
            p.setPen(QPen(QColor(0x2a2e32), 1));
            p.setBrush(QColor(0x4b5258));
            p.drawPath(back);
            QLinearGradient g(plate.topLeft(), plate.topRight());
            g.setColorAt(0, accent.darker(130));
            g.setColorAt(1, accent.lighter(120));
            p.setBrush(g);
            p.drawRoundedRect(plate.adjusted(6, 10, -6, -10), 7, 7);
            p.setPen(QPen(QColor(0, 0, 0, 90), 2));
            p.drawLine(QPointF(plate.center().x(), plate.top() + 14),
                       QPointF(plate.center().x(), plate.bottom() - 14));
        }
    }
}

void drawFilter(QPainter& p, int variant) {
    const QColor body =
        pick({0xff1f5fa8, 0xffe67e22, 0xff2c3e50, kTurquoise, 0xffc0392b}, cycle(variant, 5));
    if (trait(variant, 2, 3) == 2) {
        // Panel air filter: pleated paper in a rubber frame, seen from above.
        floorShadow(p, QPointF(200, 200), 320);
        const QPolygonF frame(
            {QPointF(70, 150), QPointF(250, 190), QPointF(340, 110), QPointF(160, 72)});
        p.setPen(QPen(QColor(0x1e2226), 2));
        p.setBrush(QColor(0x33393f));
        p.drawPolygon(frame);
        const QPolygonF paper(
            {QPointF(88, 148), QPointF(248, 180), QPointF(322, 112), QPointF(162, 82)});
        p.setBrush(QColor(0xf0d98c));
        p.drawPolygon(paper);
        const int pleats = 16 + trait(variant, 3, 8);
        for (int i = 1; i < pleats; ++i) {
            const double t = double(i) / pleats;
            const QPointF a = paper[0] + (paper[1] - paper[0]) * t;
            const QPointF b = paper[3] + (paper[2] - paper[3]) * t;
            p.setPen(QPen(i % 2 ? QColor(0xb89b4a) : QColor(0xfff3c4), 1.6));
            p.drawLine(a, b);
        }
        p.setPen(QPen(body, 5));
        p.drawLine(frame[0], frame[1]);
        return;
    }

    // Spin-on filter: a ribbed can with a label band.
    const double width = 112 + trait(variant, 4, 24);
    const double left = 200 - width / 2;
    const double right = 200 + width / 2;
    const double top = 48;
    const double bottom = 192;
    floorShadow(p, QPointF(200, bottom + 6), width * 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(cylinderShade(left, right, body));
    p.drawRect(QRectF(left, top, width, bottom - top));
    p.drawEllipse(QRectF(left, bottom - 14, width, 28));
    p.setBrush(cylinderShade(left, right, body.lighter(115)));
    p.drawEllipse(QRectF(left, top - 14, width, 28));
    // Grip flutes at the closed end.
    p.setPen(QPen(QColor(0, 0, 0, 70), 2));
    for (int i = 1; i < 12; ++i) {
        const double x = left + width * i / 12;
        p.drawLine(QPointF(x, top + 8), QPointF(x, top + 26));
    }
    // Label band.
    const QRectF label(left, top + 52, width, 58);
    p.setPen(Qt::NoPen);
    p.setBrush(cylinderShade(left, right, QColor(0xf2f4f5)));
    p.drawRect(label);
    p.setBrush(cylinderShade(left, right, QColor(kTurquoise)));
    p.drawRect(QRectF(left, label.top() + 40, width, 8));
    p.setFont(font(17, true));
    p.setPen(QColor(kGreyDark));
    p.drawText(label.adjusted(0, 4, 0, -20), Qt::AlignCenter, QStringLiteral("VELKOR"));
}

void drawSuspension(QPainter& p, int variant) {
    floorShadow(p, QPointF(200, 214), 180);
    p.save();
    p.translate(200, 118);
    p.rotate(-10.0 + 4.0 * trait(variant, 1, 6));
    p.translate(-200, -118);

    const QColor bodyColour =
        pick({0xff2b2f33, 0xffe0a800, 0xff1f5fa8, 0xffc0392b}, trait(variant, 2, 4));
    const QColor springColour =
        pick({0xffc0392b, kTurquoise, 0xff27ae60, 0xff2b2f33, 0xffe0a800}, cycle(variant, 5));
    const int coils = 5 + trait(variant, 4, 3);
    const double springTop = 50;
    const double springBottom = 150;
    const double rx = 40;

    // Coil strands behind the damper, sampled along a helix.
    const auto strand = [&](bool front) {
        const int steps = coils * 48;
        QPainterPath path;
        bool open = false;
        for (int i = 0; i <= steps; ++i) {
            const double t = 2 * M_PI * coils * i / steps;
            const bool isFront = std::cos(t) > 0;
            const QPointF at(200 + rx * std::sin(t),
                             springTop + (springBottom - springTop) * i / steps + 7 * std::cos(t));
            if (isFront != front) {
                open = false;
                continue;
            }
            if (!open)
                path.moveTo(at);
            else
                path.lineTo(at);
            open = true;
        }
        return path;
    };
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(springColour.darker(190), 9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(strand(false));

    // Piston rod, damper tube, seats, top mount and the knuckle bracket.
    p.setPen(Qt::NoPen);
    p.setBrush(cylinderShade(195, 205, QColor(0xd8dde2)));
    p.drawRect(QRectF(195, 26, 10, 90));
    p.setBrush(cylinderShade(181, 219, bodyColour));
    p.drawRoundedRect(QRectF(181, 108, 38, 100), 4, 4);
    p.setBrush(cylinderShade(150, 250, QColor(0x8a9299)));
    p.drawEllipse(QRectF(150, springBottom - 2, 100, 16));
    p.drawEllipse(QRectF(150, springTop - 16, 100, 16));
    p.setBrush(cylinderShade(168, 232, QColor(0x33393f)));
    p.drawRoundedRect(QRectF(168, 16, 64, 22), 6, 6);
    p.setBrush(cylinderShade(176, 224, QColor(0x7c858d)));
    QPainterPath bracket;
    bracket.addRoundedRect(QRectF(176, 196, 48, 26), 5, 5);
    QPainterPath holesPath;
    holesPath.addEllipse(QPointF(189, 209), 5, 5);
    holesPath.addEllipse(QPointF(211, 209), 5, 5);
    p.drawPath(bracket.subtracted(holesPath));

    p.setPen(QPen(springColour, 9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QPainterPath front = strand(true);
    p.drawPath(front);
    p.setPen(QPen(springColour.lighter(160), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(front.translated(-1.5, -2));
    p.restore();
}

// The outline around circles in convex position (a belt drive): circles, the bands between
// neighbours and the polygon of the centres.
QPainterPath hull(const QList<QPointF>& centres, const QList<double>& radii, double grow) {
    QPainterPath result;
    const qsizetype n = centres.size();
    for (qsizetype i = 0; i < n; ++i) {
        QPainterPath disc;
        disc.addEllipse(centres[i], radii[i] + grow, radii[i] + grow);
        result = result.united(disc);
    }
    for (qsizetype i = 0; i < n; ++i) {
        const QPointF c1 = centres[i];
        const QPointF c2 = centres[(i + 1) % n];
        const double r1 = radii[i] + grow;
        const double r2 = radii[(i + 1) % n] + grow;
        const QPointF delta = c2 - c1;
        const double distance = std::hypot(delta.x(), delta.y());
        const double theta = std::atan2(delta.y(), delta.x());
        const double alpha = std::acos(std::clamp((r1 - r2) / distance, -1.0, 1.0));
        const auto at = [](QPointF c, double r, double a) {
            return c + QPointF(std::cos(a), std::sin(a)) * r;
        };
        QPainterPath band;
        band.addPolygon(QPolygonF({at(c1, r1, theta + alpha), at(c2, r2, theta + alpha),
                                   at(c2, r2, theta - alpha), at(c1, r1, theta - alpha)}));
        band.closeSubpath();
        result = result.united(band);
        if (n == 2)
            break;
    }
    if (n >= 3) {
        QPainterPath inside;
        inside.addPolygon(QPolygonF(centres));
        inside.closeSubpath();
        result = result.united(inside);
    }
    return result;
}

void drawPulley(QPainter& p, QPointF c, double r, int spokes) {
    p.setPen(QPen(QColor(0x5a6168), 1.2));
    p.setBrush(metal(c, r));
    p.drawEllipse(c, r, r);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(60, 66, 72, 110), 1.5));
    p.drawEllipse(c, r * 0.86, r * 0.86);
    p.drawEllipse(c, r * 0.8, r * 0.8);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x596067));
    for (int i = 0; i < spokes; ++i) {
        const double a = 2 * M_PI * i / spokes + M_PI / spokes;
        p.drawEllipse(c + QPointF(std::cos(a), std::sin(a)) * r * 0.5, r * 0.16, r * 0.16);
    }
    p.setBrush(metal(c, r * 0.22, QColor(0x8d959c)));
    p.drawEllipse(c, r * 0.22, r * 0.22);
    p.setBrush(QColor(0x2b2f33));
    p.drawEllipse(c, r * 0.08, r * 0.08);
}

void drawBeltDrive(QPainter& p, int variant) {
    QList<QPointF> centres{QPointF(128, 128), QPointF(292, 82)};
    QList<double> radii{54.0 + trait(variant, 1, 10), 30.0 + trait(variant, 2, 10)};
    if (trait(variant, 3, 2) == 1) {
        centres.append(QPointF(290, 176));
        radii.append(24);
    }
    floorShadow(p, QPointF(205, 216), 330);
    const QColor belt = pick({0xff24282c, 0xff3a3f44, 0xff1d2b33}, cycle(variant, 3));
    const QPainterPath band = hull(centres, radii, 7).subtracted(hull(centres, radii, 0));
    p.setPen(QPen(belt.darker(150), 1));
    p.setBrush(belt);
    p.drawPath(band);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 40), 1.5));
    p.drawPath(hull(centres, radii, 3.5));
    const int spokes = 3 + trait(variant, 5, 4);
    for (qsizetype i = 0; i < centres.size(); ++i)
        drawPulley(p, centres[i], radii[i] - 1, i == 0 ? spokes : 3);
}

void drawBulb(QPainter& p, int variant) {
    const QColor tint = pick({0xffffffff, 0xffffc65a, 0xffcfe8ff, 0xffff8a7a}, cycle(variant, 4));
    floorShadow(p, QPointF(200, 214), 160);
    if (trait(variant, 2, 3) < 2) {
        // Glow.
        QRadialGradient glow(QPointF(200, 88), 110);
        glow.setColorAt(0, QColor(255, 230, 150, 110));
        glow.setColorAt(1, QColor(255, 230, 150, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawEllipse(QPointF(200, 88), 110, 110);
    }
    const bool capsule = trait(variant, 3, 2) == 1;
    QPainterPath glass;
    if (capsule) {
        glass.addRoundedRect(QRectF(178, 30, 44, 118), 22, 22);
    } else {
        glass.addEllipse(QPointF(200, 84), 56, 56);
        QPainterPath neck;
        neck.addPolygon(QPolygonF(
            {QPointF(166, 120), QPointF(234, 120), QPointF(222, 156), QPointF(178, 156)}));
        neck.closeSubpath();
        glass = glass.united(neck);
    }
    QRadialGradient g(QPointF(188, 70), 80);
    g.setColorAt(0, QColor(255, 255, 255, 240));
    g.setColorAt(0.6, QColor(tint.red(), tint.green(), tint.blue(), 170));
    g.setColorAt(1, QColor(tint.red(), tint.green(), tint.blue(), 210).darker(115));
    p.setPen(QPen(QColor(0x8e979f), 1.5));
    p.setBrush(g);
    p.drawPath(glass);
    if (capsule) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x2b2f33));
        p.drawEllipse(QPointF(200, 36), 16, 9);
    }

    // Filament on its two supports.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x6b6f73), 2));
    p.drawLine(QPointF(186, 156), QPointF(186, 88));
    p.drawLine(QPointF(214, 156), QPointF(214, 88));
    QPainterPath coil;
    coil.moveTo(186, 88);
    for (int i = 1; i <= 10; ++i)
        coil.lineTo(186 + 2.8 * i, 88 + (i % 2 ? -6 : 0));
    p.setPen(QPen(QColor(0xffb23a), 2.4));
    p.drawPath(coil);
    p.setPen(QPen(QColor(0xa7611b), 1));
    p.drawPath(coil.translated(0, 1.5));

    // Base: threaded brass or a plastic socket with a flange.
    if (capsule) {
        p.setPen(Qt::NoPen);
        p.setBrush(cylinderShade(160, 240, QColor(0xb8bec4)));
        p.drawRoundedRect(QRectF(160, 148, 80, 12), 3, 3);
        p.setBrush(cylinderShade(176, 224, QColor(0x2b2f33)));
        p.drawRoundedRect(QRectF(176, 160, 48, 46), 6, 6);
        p.setBrush(QColor(0xc9a14a));
        p.drawRect(QRectF(186, 204, 6, 12));
        p.drawRect(QRectF(208, 204, 6, 12));
    } else {
        p.setPen(Qt::NoPen);
        p.setBrush(cylinderShade(176, 224, QColor(0xc9a14a)));
        p.drawRect(QRectF(176, 154, 48, 40));
        p.setPen(QPen(QColor(0x7d5f1f), 2));
        for (int i = 0; i < 5; ++i)
            p.drawLine(QPointF(176, 158 + i * 8), QPointF(224, 162 + i * 8));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x24282c));
        p.drawRect(QRectF(184, 194, 32, 8));
        p.setBrush(cylinderShade(190, 210, QColor(0xb8bec4)));
        p.drawEllipse(QRectF(190, 198, 20, 14));
    }
}

void drawBottle(QPainter& p, int variant) {
    static const char* const grades[] = {"5W-30", "10W-40", "5W-40", "0W-20", "15W-40"};
    static const char* const volumes[] = {"1 L", "4 L", "5 L"};
    const QColor body =
        pick({0xff2b2f33, kTurquoise, 0xffd4a017, 0xff8a939b, 0xff1f5fa8, 0xffc0392b},
             cycle(variant, 6));
    floorShadow(p, QPointF(205, 212), 220);

    QPainterPath shape;
    shape.addRoundedRect(QRectF(136, 62, 134, 148), 18, 18);
    QPainterPath handle;
    handle.addRoundedRect(QRectF(214, 30, 56, 62), 16, 16);
    shape = shape.united(handle);
    QPainterPath hole;
    hole.addRoundedRect(QRectF(228, 42, 30, 30), 10, 10);
    shape = shape.subtracted(hole);

    // Neck and cap.
    p.setPen(Qt::NoPen);
    p.setBrush(cylinderShade(152, 192, body.darker(115)));
    p.drawRect(QRectF(152, 44, 40, 24));
    const QColor cap = pick({0xffe0a800, 0xff2b2f33, 0xffc0392b, kTurquoise}, trait(variant, 2, 4));
    p.setBrush(cylinderShade(146, 198, cap));
    p.drawRoundedRect(QRectF(146, 22, 52, 26), 4, 4);
    p.setPen(QPen(QColor(0, 0, 0, 60), 1.5));
    for (int i = 1; i < 9; ++i)
        p.drawLine(QPointF(146 + i * 5.8, 24), QPointF(146 + i * 5.8, 46));

    p.setPen(QPen(body.darker(170), 1.5));
    p.setBrush(cylinderShade(136, 270, body));
    p.drawPath(shape);

    // Level window and label.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 70));
    p.drawRoundedRect(QRectF(252, 104, 8, 92), 4, 4);
    const QRectF label(148, 96, 98, 100);
    p.setBrush(QColor(0xf4f6f7));
    p.drawRoundedRect(label, 6, 6);
    p.setBrush(QColor(kTurquoise));
    p.drawRect(QRectF(label.left(), label.top() + 10, label.width(), 22));
    p.setPen(Qt::white);
    p.setFont(font(13, true));
    p.drawText(QRectF(label.left(), label.top() + 10, label.width(), 22), Qt::AlignCenter,
               QStringLiteral("VELKOR"));
    p.setPen(QColor(kGreyDark));
    p.setFont(font(19, true));
    p.drawText(QRectF(label.left(), label.top() + 36, label.width(), 34), Qt::AlignCenter,
               QString::fromLatin1(grades[trait(variant, 3, 5)]));
    p.setPen(QColor(kGrey));
    p.setFont(font(13, false));
    p.drawText(QRectF(label.left(), label.top() + 68, label.width(), 24), Qt::AlignCenter,
               QString::fromLatin1(volumes[trait(variant, 4, 3)]));
}

void drawBox(QPainter& p, int variant) {
    const double w = 150 + 12 * cycle(variant, 4);
    const double h = 100 + trait(variant, 2, 30);
    const double depth = 54 + trait(variant, 3, 20);
    const QPointF origin(200 - (w + depth * 0.8) / 2, 204 - h);
    const QPointF back(depth * 0.8, -depth * 0.5);
    floorShadow(p, QPointF(205, 208), w * 1.7);

    const QRectF front(origin, QSizeF(w, h));
    const QPolygonF side({front.topRight(), front.topRight() + back, front.bottomRight() + back,
                          front.bottomRight()});
    const QPolygonF top(
        {front.topLeft(), front.topLeft() + back, front.topRight() + back, front.topRight()});
    p.setPen(QPen(QColor(0x8a6a45), 1.2));
    p.setBrush(QColor(0xc9a47a));
    p.drawRect(front);
    p.setBrush(QColor(0xaf8a60));
    p.drawPolygon(side);
    p.setBrush(QColor(0xdcbc96));
    p.drawPolygon(top);
    // Tape over the lid and the brand band.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xe9d3b4));
    const QPointF a = (front.topLeft() + front.topRight()) / 2;
    p.drawPolygon(QPolygonF({a - QPointF(9, 0), a + QPointF(9, 0), a + back + QPointF(9, 0),
                             a + back - QPointF(9, 0)}));
    const QColor band = pick({kTurquoise, kGreyDark}, trait(variant, 4, 2));
    const QRectF stripe(front.left(), front.top() + h * 0.56, w, h * 0.2);
    p.setBrush(band);
    p.drawRect(stripe);
    p.setBrush(band.darker(125));
    p.drawPolygon(QPolygonF({stripe.topRight(), stripe.topRight() + back,
                             stripe.bottomRight() + back, stripe.bottomRight()}));
    p.setPen(QColor(kGreyDark));
    p.setFont(font(h * 0.2, true));
    p.drawText(QRectF(front.left(), front.top() + 6, w, h * 0.5), Qt::AlignCenter,
               QStringLiteral("VELKOR"));
    p.setPen(Qt::white);
    p.setFont(font(h * 0.11, true));
    p.drawText(stripe, Qt::AlignCenter, QStringLiteral("YEDEK PARÇA"));
}

enum class Drawing { Brake, Filter, Suspension, BeltDrive, Bulb, Bottle, Box };

Drawing drawingFor(const QString& mainGroup) {
    // Upper case without the dotted/dotless distinction, so either spelling of a group matches.
    QString g = mainGroup.toUpper();
    g.replace(QChar(0x130), QLatin1Char('I'));
    const auto has = [&g](const char* word) { return g.contains(QString::fromUtf8(word)); };
    if (has("FREN"))
        return Drawing::Brake;
    if (has("FILTRE"))
        return Drawing::Filter;
    if (has("YAĞ"))
        return Drawing::Bottle;
    if (has("SÜSPANSIYON") || has("AMORTISÖR"))
        return Drawing::Suspension;
    if (has("MOTOR"))
        return Drawing::BeltDrive;
    if (has("AYDINLATMA") || has("AMPUL"))
        return Drawing::Bulb;
    return Drawing::Box;
}

void drawCaption(QPainter& p, const QString& code, const QString& name) {
    const QRectF strip(0, kCaptionTop, kPartSize.width(), kPartSize.height() - kCaptionTop);
    p.fillRect(strip, QColor(kGreyDark));
    p.fillRect(QRectF(0, kCaptionTop, kPartSize.width(), 3), QColor(kTurquoise));
    p.fillRect(QRectF(0, kCaptionTop + 3, 8, strip.height() - 3), QColor(kTurquoise));

    p.setPen(Qt::white);
    p.setFont(font(20, true));
    const QRectF codeBox(20, kCaptionTop + 8, kPartSize.width() - 32, 28);
    p.drawText(codeBox, Qt::AlignLeft | Qt::AlignVCenter,
               p.fontMetrics().elidedText(code, Qt::ElideRight, qFloor(codeBox.width())));
    p.setPen(QColor(kGreyLight));
    p.setFont(font(14, false));
    const QRectF nameBox(20, kCaptionTop + 38, kPartSize.width() - 32, 24);
    p.drawText(nameBox, Qt::AlignLeft | Qt::AlignVCenter,
               p.fontMetrics().elidedText(name, Qt::ElideRight, qFloor(nameBox.width())));
}

void drawBrandMark(QPainter& p, QPointF at, double height, const QColor& square,
                   const QColor& text) {
    p.setPen(Qt::NoPen);
    p.setBrush(square);
    p.drawRoundedRect(QRectF(at, QSizeF(height, height)), height * 0.2, height * 0.2);
    p.setPen(QPen(Qt::white, height * 0.14, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({at + QPointF(height * 0.25, height * 0.28),
                              at + QPointF(height * 0.5, height * 0.74),
                              at + QPointF(height * 0.75, height * 0.28)}));
    p.setPen(text);
    p.setFont(font(height * 0.62, true));
    p.drawText(QRectF(at.x() + height * 1.25, at.y(), height * 12, height),
               Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("VELKOR OTOMOTİV"));
}

// A large wheel rim or gear in outline, as a backdrop graphic of the adverts.
void drawAdvertGraphic(QPainter& p, QPointF c, double r, int kind, const QColor& colour) {
    p.setBrush(Qt::NoBrush);
    QColor line = colour;
    line.setAlpha(70);
    p.setPen(QPen(line, r * 0.07));
    p.drawEllipse(c, r, r);
    p.setPen(QPen(line, r * 0.04));
    p.drawEllipse(c, r * 0.72, r * 0.72);
    p.drawEllipse(c, r * 0.2, r * 0.2);
    if (kind == 0) {
        for (int i = 0; i < 5; ++i) {
            const double a = 2 * M_PI * i / 5 - M_PI / 2;
            const QPointF dir(std::cos(a), std::sin(a));
            p.setPen(QPen(line, r * 0.1, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(c + dir * r * 0.26, c + dir * r * 0.68);
        }
    } else {
        p.setPen(Qt::NoPen);
        p.setBrush(line);
        for (int i = 0; i < 14; ++i) {
            p.save();
            p.translate(c);
            p.rotate(360.0 * i / 14);
            p.drawRect(QRectF(-r * 0.08, -r * 1.2, r * 0.16, r * 0.18));
            p.restore();
        }
    }
}

// Text blocks of a banner fitted into its free area, in one or two lines.
struct BannerLayout {
    QRectF brand; // empty when the banner is too small for the brand block
    QRectF text;
};

BannerLayout bannerLayout(QSize size) {
    BannerLayout l;
    const double w = size.width();
    const double h = size.height();
    if (w >= 6 * h) {
        l.brand = QRectF(0, 0, h * 2.4, h);
        l.text = QRectF(h * 2.4 + h * 0.3, 0, w - h * 2.4 - h * 0.6, h);
    } else {
        l.text = QRectF(w * 0.05, h * 0.08, w * 0.9, h * 0.84);
    }
    return l;
}

constexpr int kBannerTextFlags = Qt::AlignCenter | Qt::TextWordWrap;

} // namespace

QByteArray partPictureJpeg(const QString& mainGroup, const QString& code, const QString& name,
                           int variant) {
    QImage image = canvas(kPartSize);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    studioBackground(p, QRectF(0, 0, kPartSize.width(), kCaptionTop));
    switch (drawingFor(mainGroup)) {
    case Drawing::Brake:
        drawBrake(p, variant);
        break;
    case Drawing::Filter:
        drawFilter(p, variant);
        break;
    case Drawing::Suspension:
        drawSuspension(p, variant);
        break;
    case Drawing::BeltDrive:
        drawBeltDrive(p, variant);
        break;
    case Drawing::Bulb:
        drawBulb(p, variant);
        break;
    case Drawing::Bottle:
        drawBottle(p, variant);
        break;
    case Drawing::Box:
        drawBox(p, variant);
        break;
    }
    p.setPen(QColor(kTurquoise));
    p.setFont(font(11, true));
    p.drawText(QRectF(0, 8, kPartSize.width() - 12, 16), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("VELKOR"));
    drawCaption(p, code, name);
    p.end();
    return imageBytes(image, "JPEG", 85);
}

QByteArray advertJpeg(const QString& headline, const QString& subline, int variant, QSize size) {
    QImage image = canvas(size);
    const double w = size.width();
    const double h = size.height();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    const int scheme = (variant % 3 + 3) % 3;
    QColor head = Qt::white;
    QColor sub(0xe6f6f8);
    QColor mark = Qt::white;
    QLinearGradient bg(0, 0, w, h);
    if (scheme == 0) {
        bg.setColorAt(0, QColor(kTurquoise));
        bg.setColorAt(1, QColor(kTurquoiseDark));
    } else if (scheme == 1) {
        bg.setColorAt(0, QColor(0x3d444a));
        bg.setColorAt(1, QColor(0x202428));
        sub = QColor(kTurquoiseLight);
    } else {
        bg.setColorAt(0, QColor(0xf1f3f5));
        bg.setColorAt(1, QColor(kGreyLight));
        head = QColor(kGreyDark);
        sub = QColor(kTurquoiseDark);
        mark = QColor(kGreyDark);
    }
    p.fillRect(QRectF(0, 0, w, h), bg);
    drawAdvertGraphic(p, QPointF(w * 0.86, h * 0.5), h * 0.46, trait(variant, 2, 2),
                      scheme == 2 ? QColor(kTurquoise) : Qt::white);

    // Slanted accent bands along the bottom.
    p.setPen(Qt::NoPen);
    p.setBrush(scheme == 0 ? QColor(kGreyDark) : QColor(kTurquoise));
    p.drawPolygon(QPolygonF(
        {QPointF(0, h * 0.9), QPointF(w * 0.62, h * 0.9), QPointF(w * 0.58, h), QPointF(0, h)}));
    p.setBrush(QColor(kGrey));
    p.drawPolygon(QPolygonF({QPointF(w * 0.64, h * 0.9), QPointF(w * 0.68, h * 0.9),
                             QPointF(w * 0.64, h), QPointF(w * 0.60, h)}));
    p.setPen(Qt::white);
    p.setFont(font(h * 0.04, false));
    p.drawText(QRectF(w * 0.05, h * 0.9, w * 0.5, h * 0.1), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Velkor B2B · Bayi Sipariş Sistemi"));

    drawBrandMark(p, QPointF(w * 0.05, h * 0.07), h * 0.07,
                  scheme == 0 ? QColor(kGreyDark) : QColor(kTurquoise), mark);

    const QRectF headBox(w * 0.05, h * 0.22, w * 0.62, h * 0.4);
    p.setPen(head);
    p.setFont(font(h * 0.13, true));
    fitFont(p, headline, headBox, Qt::AlignLeft | Qt::AlignBottom | Qt::TextWordWrap, 10);
    p.drawText(headBox, Qt::AlignLeft | Qt::AlignBottom | Qt::TextWordWrap, headline);
    p.fillRect(QRectF(w * 0.05, h * 0.655, w * 0.12, h * 0.012),
               scheme == 0 ? QColor(kGreyDark) : QColor(kTurquoise));
    const QRectF subBox(w * 0.05, h * 0.69, w * 0.6, h * 0.18);
    p.setPen(sub);
    p.setFont(font(h * 0.055, false));
    fitFont(p, subline, subBox, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, 8);
    p.drawText(subBox, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, subline);
    p.end();
    return imageBytes(image, "JPEG", 88);
}

QList<QImage> bannerFrames(QSize size, const QString& text, int frameCount) {
    // No antialiasing anywhere: a handful of flat colours keep the GIF palette exact.
    const int count = std::max(1, frameCount);
    const BannerLayout layout = bannerLayout(size);
    const double w = size.width();
    const double h = size.height();
    const double bandWidth = std::max(h * 1.2, layout.text.width() / 5);
    const double slant = h * 0.5;

    QList<QImage> frames;
    for (int i = 0; i < count; ++i) {
        QImage image = canvas(size);
        QPainter p(&image);
        p.fillRect(QRectF(0, 0, w, h), QColor(kTurquoise));
        p.fillRect(QRectF(0, h - std::max(2.0, h * 0.06), w, h), QColor(kTurquoiseDark));
        if (!layout.brand.isEmpty()) {
            p.fillRect(layout.brand, QColor(kGreyDark));
            p.setPen(Qt::white);
            p.setFont(font(h * 0.42, true, false));
            p.drawText(layout.brand, Qt::AlignCenter, QStringLiteral("VELKOR"));
        }
        p.setFont(font(h * 0.42, true, false));
        fitFont(p, text, layout.text, kBannerTextFlags, 8);

        // The highlight sweeps from off the left edge to past the right one.
        const double from = layout.text.left() - bandWidth - slant;
        const double x = from + (layout.text.right() - from) * i / count;
        const QPolygonF band({QPointF(x + slant, 0), QPointF(x + slant + bandWidth, 0),
                              QPointF(x + bandWidth, h), QPointF(x, h)});
        p.setPen(Qt::white);
        p.drawText(layout.text, kBannerTextFlags, text);
        p.setClipRect(QRectF(layout.text.left(), 0, w - layout.text.left(), h));
        QPainterPath clip;
        clip.addPolygon(band);
        p.setClipPath(clip, Qt::IntersectClip);
        p.fillRect(QRectF(0, 0, w, h), QColor(kTurquoiseLight));
        p.setPen(QColor(kGreyDark));
        p.drawText(layout.text, kBannerTextFlags, text);
        p.end();
        frames.append(image);
    }
    return frames;
}

QImage bannerImage(QSize size, const QString& text) {
    const BannerLayout layout = bannerLayout(size);
    const double w = size.width();
    const double h = size.height();
    QImage image = canvas(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QLinearGradient bg(0, 0, 0, h);
    bg.setColorAt(0, QColor(kTurquoise).lighter(112));
    bg.setColorAt(1, QColor(kTurquoiseDark));
    p.fillRect(QRectF(0, 0, w, h), bg);
    // A still streak of light across the text area.
    const double x = layout.text.left() + layout.text.width() * 0.62;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 45));
    p.drawPolygon(QPolygonF({QPointF(x + h * 0.5, 0), QPointF(x + h * 1.3, 0),
                             QPointF(x + h * 0.8, h), QPointF(x, h)}));
    if (!layout.brand.isEmpty()) {
        QLinearGradient dark(0, 0, 0, h);
        dark.setColorAt(0, QColor(0x3d444a));
        dark.setColorAt(1, QColor(kGreyDark));
        p.fillRect(layout.brand, dark);
        p.setPen(Qt::white);
        p.setFont(font(h * 0.42, true));
        p.drawText(layout.brand, Qt::AlignCenter, QStringLiteral("VELKOR"));
    }
    p.setFont(font(h * 0.42, true));
    fitFont(p, text, layout.text, kBannerTextFlags, 8);
    p.setPen(QColor(0, 0, 0, 60));
    p.drawText(layout.text.translated(1, 1), kBannerTextFlags, text);
    p.setPen(Qt::white);
    p.drawText(layout.text, kBannerTextFlags, text);
    p.end();
    return image;
}

QByteArray imageBytes(const QImage& image, const char* format, int quality) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, format, quality))
        throw Error(QStringLiteral("Resim %1 biçiminde kaydedilemedi")
                        .arg(QString::fromLatin1(format ? format : "")));
    return bytes;
}

} // namespace vk::server
