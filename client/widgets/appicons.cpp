#include "widgets/appicons.h"

#include <QFont>
#include <QIconEngine>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmapCache>
#include <QPolygonF>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vk {

namespace {

// The palette every drawing shares.
const QColor kTurquoise(0x1A, 0xA6, 0xB7);
const QColor kTurquoiseLight(0x8F, 0xD6, 0xDF);
const QColor kTurquoiseDark(0x13, 0x7F, 0x8C);
const QColor kTurquoiseDeep(0x0E, 0x63, 0x6D);
const QColor kTurquoiseWash(0xE3, 0xF4, 0xF7);
const QColor kDark(0x3C, 0x46, 0x50);
const QColor kMid(0x8A, 0x96, 0xA0);
const QColor kLight(0xD5, 0xDB, 0xE0);
const QColor kPaper(0xFF, 0xFF, 0xFF);
const QColor kRed(0xE0, 0x48, 0x48);
const QColor kCloseRed(0xD6, 0x45, 0x41);
const QColor kOrange(0xF0, 0x8C, 0x28);
const QColor kGold(0xF2, 0xB3, 0x3D);
const QColor kGoldDark(0xB7, 0x80, 0x0F);
const QColor kAmber(0xF2, 0xA9, 0x22);
const QColor kGreen(0x2E, 0xAA, 0x4F);
const QColor kSheetGreen(0x1D, 0x6F, 0x42);
const QColor kBlue(0x2F, 0x7F, 0xD8);
const QColor kPurple(0x8A, 0x4F, 0xC8);

// Every drawing works on a 32 × 32 grid; the engine scales it to the size asked for.
constexpr qreal kGrid = 32.0;

using DrawFn = void (*)(QPainter&);

QPen stroke(const QColor& color, qreal width) {
    QPen pen(color, width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

QLinearGradient vertical(qreal top, qreal bottom, const QColor& from, const QColor& to) {
    QLinearGradient g(0, top, 0, bottom);
    g.setColorAt(0, from);
    g.setColorAt(1, to);
    return g;
}

QPainterPath polygonPath(std::initializer_list<QPointF> points) {
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points)));
    path.closeSubpath();
    return path;
}

QPainterPath starPath(QPointF centre, int points, qreal outer, qreal inner, qreal rotation = 0) {
    QPolygonF polygon;
    for (int i = 0; i < 2 * points; ++i) {
        const qreal r = i % 2 == 0 ? outer : inner;
        const qreal a = rotation - std::numbers::pi / 2 + i * std::numbers::pi / points;
        polygon << QPointF(centre.x() + r * std::cos(a), centre.y() + r * std::sin(a));
    }
    QPainterPath path;
    path.addPolygon(polygon);
    path.closeSubpath();
    return path;
}

void fillPath(QPainter& p, const QPainterPath& path, const QBrush& brush) {
    p.fillPath(path, brush);
}

void arrowHead(QPainter& p, QPointF tip, qreal dx, qreal dy) {
    // Two strokes from the tip back along (dx, dy) turned by ±45°.
    const qreal c = std::numbers::sqrt2 / 2;
    p.drawLine(tip, tip + QPointF(c * (dx - dy), c * (dy + dx)));
    p.drawLine(tip, tip + QPointF(c * (dx + dy), c * (dy - dx)));
}

void percentSign(QPainter& p, QPointF centre, qreal size, const QColor& color) {
    const qreal h = size / 2;
    p.setBrush(Qt::NoBrush);
    p.setPen(stroke(color, size * 0.2));
    p.drawLine(centre + QPointF(h * 0.75, -h), centre + QPointF(-h * 0.75, h));
    p.setPen(stroke(color, size * 0.17));
    const qreal r = size * 0.17;
    p.drawEllipse(centre + QPointF(-h * 0.62, -h * 0.58), r, r);
    p.drawEllipse(centre + QPointF(h * 0.62, h * 0.58), r, r);
}

// A round badge in a state colour, lighter at the top.
void stateDisc(QPainter& p, const QColor& color) {
    p.setPen(QPen(color.darker(125), 1.0));
    p.setBrush(vertical(3, 29, color.lighter(118), color));
    p.drawEllipse(QPointF(16, 16), 13, 13);
}

// --- The program's icons ---------------------------------------------------------------------

void drawStockList(QPainter& p) {
    p.setPen(stroke(kDark, 1.5));
    p.setBrush(kPaper);
    p.drawRoundedRect(QRectF(3.5, 3.5, 20, 25), 2, 2);
    for (int i = 0; i < 4; ++i) {
        const qreal y = 9 + i * 5.3;
        p.setPen(Qt::NoPen);
        p.setBrush(kTurquoise);
        p.drawRect(QRectF(6.5, y - 1.5, 3, 3));
        p.setPen(stroke(kMid, 1.6));
        p.drawLine(QPointF(12, y), QPointF(i < 2 ? 20.5 : 14.5, y));
    }
    p.setPen(stroke(kTurquoise, 2.4));
    p.setBrush(QColor(255, 255, 255, 235));
    p.drawEllipse(QPointF(21.5, 21), 5.2, 5.2);
    p.setPen(stroke(kDark, 3.4));
    p.drawLine(QPointF(25.4, 24.9), QPointF(28.8, 28.3));
}

void drawBasket(QPainter& p) {
    const QPainterPath basket = polygonPath({{6.8, 9}, {28.8, 9}, {26, 19.5}, {9.3, 19.5}});
    fillPath(p, basket, vertical(9, 19.5, kTurquoise.lighter(110), kTurquoiseDark));
    p.save();
    p.setClipPath(basket);
    p.setPen(QPen(QColor(255, 255, 255, 200), 1.2));
    for (qreal x : {13.5, 18.5, 23.5})
        p.drawLine(QPointF(x, 9), QPointF(x - 0.6, 19.5));
    p.drawLine(QPointF(6, 14.2), QPointF(29, 14.2));
    p.restore();
    p.setPen(stroke(kDark, 2.2));
    p.setBrush(Qt::NoBrush);
    QPainterPath frame;
    frame.moveTo(2.5, 5.5);
    frame.lineTo(6, 5.5);
    frame.lineTo(10, 23);
    frame.lineTo(26.5, 23);
    p.drawPath(frame);
    p.setPen(Qt::NoPen);
    p.setBrush(kDark);
    p.drawEllipse(QPointF(12, 27), 2.3, 2.3);
    p.drawEllipse(QPointF(24, 27), 2.3, 2.3);
}

void drawPreviousOrders(QPainter& p) {
    p.setPen(stroke(kDark, 1.4));
    p.setBrush(kMid);
    p.drawRoundedRect(QRectF(4.5, 4.5, 19, 24.5), 2.5, 2.5);
    p.setPen(Qt::NoPen);
    p.setBrush(kPaper);
    p.drawRect(QRectF(7, 8, 14, 18.5));
    p.setBrush(kDark);
    p.drawRoundedRect(QRectF(9.5, 2.5, 9, 4.5), 1.5, 1.5);
    p.setPen(stroke(kTurquoise, 1.4));
    for (qreal y : {11.5, 15.0, 18.5})
        p.drawLine(QPointF(9, y), QPointF(y < 18 ? 19 : 13.5, y));
    p.setPen(stroke(kTurquoise, 2.0));
    p.setBrush(kPaper);
    p.drawEllipse(QPointF(22.5, 22.5), 7, 7);
    p.setPen(stroke(kDark, 1.8));
    p.drawLine(QPointF(22.5, 22.5), QPointF(22.5, 18.3));
    p.drawLine(QPointF(22.5, 22.5), QPointF(25.6, 24.2));
}

void drawStatement(QPainter& p) {
    QPainterPath page;
    page.addRoundedRect(QRectF(4.5, 3.5, 18, 25), 1.5, 1.5);
    p.fillPath(page, kPaper);
    p.save();
    p.setClipPath(page);
    p.fillRect(QRectF(4.5, 3.5, 18, 5), kTurquoise);
    p.restore();
    p.setPen(stroke(kDark, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(page);
    p.setPen(stroke(kMid, 1.4));
    for (qreal y : {12.0, 15.5, 19.0, 22.5, 26.0}) {
        p.drawLine(QPointF(7.5, y), QPointF(12.5, y));
        p.drawLine(QPointF(15, y), QPointF(19.5, y));
    }
    p.setPen(QPen(kGoldDark, 1.2));
    p.setBrush(vertical(17, 30, QColor(0xF8, 0xD0, 0x60), QColor(0xE2, 0xA2, 0x1B)));
    p.drawEllipse(QPointF(23.5, 23.5), 6.2, 6.2);
    p.setPen(QPen(QColor(0xFB, 0xE4, 0x9A), 1.1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(23.5, 23.5), 3.9, 3.9);
    p.setPen(stroke(kGoldDark, 1.4));
    p.drawLine(QPointF(23.5, 21.3), QPointF(23.5, 25.7));
}

void drawNewStock(QPainter& p) {
    p.setPen(Qt::NoPen);
    fillPath(p, polygonPath({{3, 12.5}, {14, 9}, {25, 12.5}, {14, 16}}), kTurquoiseLight);
    fillPath(p, polygonPath({{3, 12.5}, {14, 16}, {14, 29}, {3, 25}}), kTurquoise);
    fillPath(p, polygonPath({{14, 16}, {25, 12.5}, {25, 25}, {14, 29}}), kTurquoiseDark);
    p.setPen(QPen(QColor(255, 255, 255, 170), 1.6));
    p.drawLine(QPointF(8.5, 10.8), QPointF(19.5, 14.3));
    const QPainterPath burst = starPath(QPointF(24, 8.5), 10, 7.5, 5.3);
    p.setPen(QPen(kPaper, 1.2));
    p.setBrush(vertical(1, 16, QColor(0xF7, 0x7A, 0x3A), QColor(0xE0, 0x3E, 0x25)));
    p.drawPath(burst);
    p.setPen(Qt::NoPen);
    p.setBrush(kPaper);
    p.drawPath(starPath(QPointF(24, 8.7), 5, 3.2, 1.35));
}

void drawCampaign(QPainter& p) {
    p.save();
    p.translate(14, 14);
    p.rotate(45);
    const QPainterPath tag = polygonPath({{-13, 0}, {-7, -8}, {12, -8}, {12, 8}, {-7, 8}});
    p.setPen(QPen(QColor(0xB8, 0x2E, 0x22), 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QLinearGradient g(-13, 0, 12, 0);
    g.setColorAt(0, QColor(0xF5, 0x8A, 0x3C));
    g.setColorAt(1, QColor(0xE0, 0x3C, 0x31));
    p.setBrush(g);
    p.drawPath(tag);
    p.setPen(Qt::NoPen);
    p.setBrush(kPaper);
    p.drawEllipse(QPointF(-6.5, 0), 1.9, 1.9);
    p.restore();
    percentSign(p, QPointF(17, 17), 8.5, kPaper);
}

void drawAnnouncements(QPainter& p) {
    p.setPen(Qt::NoPen);
    fillPath(p, polygonPath({{7, 11.5}, {20.5, 5}, {20.5, 27}, {7, 20.5}}),
             vertical(5, 27, kTurquoise.lighter(112), kTurquoiseDark));
    p.setBrush(kTurquoiseDeep);
    p.drawRoundedRect(QRectF(19.5, 3.5, 3.5, 25), 1.5, 1.5);
    p.setBrush(kDark);
    p.drawRoundedRect(QRectF(3, 11, 5, 10), 1.5, 1.5);
    fillPath(p, polygonPath({{8.5, 20.5}, {12.5, 22.3}, {12.3, 28.5}, {9.3, 28.5}}), kDark);
    p.setPen(stroke(kMid, 1.8));
    p.setBrush(Qt::NoBrush);
    for (qreal r : {4.0, 7.5})
        p.drawArc(QRectF(23 - r, 16 - r, 2 * r, 2 * r), -40 * 16, 80 * 16);
}

void drawBalances(QPainter& p) {
    const auto box = [&p](const QRectF& r) {
        p.setPen(QPen(kTurquoiseDeep, 1.1));
        p.setBrush(vertical(r.top(), r.bottom(), kTurquoise.lighter(110), kTurquoiseDark));
        p.drawRect(r);
        p.setPen(QPen(QColor(255, 255, 255, 190), 1.6));
        p.drawLine(QPointF(r.center().x(), r.top() + 0.6), QPointF(r.center().x(), r.top() + 4));
    };
    box(QRectF(2.5, 19.5, 9.5, 9.5));
    box(QRectF(12.5, 19.5, 9.5, 9.5));
    box(QRectF(7.5, 9.5, 9.5, 9.5));
    // An hourglass beside the stack.
    p.setPen(stroke(kDark, 1.8));
    p.drawLine(QPointF(23.8, 14.5), QPointF(30.2, 14.5));
    p.drawLine(QPointF(23.8, 29), QPointF(30.2, 29));
    const QPainterPath glass = polygonPath(
        {{24.8, 15.3}, {29.2, 15.3}, {27.6, 21.7}, {29.2, 28.2}, {24.8, 28.2}, {26.4, 21.7}});
    p.setPen(QPen(QColor(0xC9, 0x86, 0x0C), 1.0));
    p.setBrush(QColor(0xFD, 0xEB, 0xC0));
    p.drawPath(glass);
    p.setPen(Qt::NoPen);
    fillPath(p, polygonPath({{25.6, 28}, {28.4, 28}, {27, 24.6}}), kAmber);
    fillPath(p, polygonPath({{25.6, 16.3}, {28.4, 16.3}, {27, 20}}), kAmber);
}

void drawVirtualPos(QPainter& p) {
    QPainterPath card;
    card.addRoundedRect(QRectF(2, 6.5, 28, 19.5), 3, 3);
    fillPath(p, card, vertical(6.5, 26, QColor(0x2A, 0xBA, 0xCB), kTurquoiseDark));
    p.save();
    p.setClipPath(card);
    p.fillRect(QRectF(2, 10.5, 28, 3.8), kDark);
    p.restore();
    p.setPen(QPen(kGoldDark, 0.8));
    p.setBrush(vertical(17, 22, QColor(0xF8, 0xD3, 0x6A), kGold));
    p.drawRoundedRect(QRectF(5.5, 16.8, 6, 4.6), 1, 1);
    p.setPen(stroke(QColor(255, 255, 255, 220), 1.5));
    p.drawLine(QPointF(14.5, 19), QPointF(18, 19));
    p.drawLine(QPointF(20.5, 19), QPointF(24, 19));
    p.drawLine(QPointF(14.5, 22.5), QPointF(21, 22.5));
}

void drawSearch(QPainter& p) {
    p.setPen(stroke(kDark, 4.6));
    p.drawLine(QPointF(19.8, 19.8), QPointF(27.5, 27.5));
    QColor lens = kTurquoise;
    lens.setAlpha(45);
    p.setPen(stroke(kTurquoise, 3));
    p.setBrush(lens);
    p.drawEllipse(QPointF(13, 13), 8.5, 8.5);
    p.setPen(stroke(QColor(255, 255, 255, 230), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(13 - 5, 13 - 5, 10, 10), 100 * 16, 65 * 16);
}

void drawClear(QPainter& p) {
    p.setPen(stroke(kMid, 1.6));
    p.drawLine(QPointF(4, 28.5), QPointF(28, 28.5));
    p.save();
    p.translate(16.5, 15.5);
    p.rotate(-40);
    QPainterPath body;
    body.addRoundedRect(QRectF(-11, -5.5, 22, 11), 2, 2);
    fillPath(p, body, vertical(-5.5, 5.5, kTurquoise.lighter(112), kTurquoiseDark));
    p.save();
    p.setClipRect(QRectF(-12, -7, 10, 14));
    p.fillPath(body, QColor(0xF4, 0xF6, 0xF7));
    p.restore();
    p.setPen(stroke(kDark, 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawPath(body);
    p.drawLine(QPointF(-2, -5.5), QPointF(-2, 5.5));
    p.restore();
}

void drawPerson(QPainter& p, qreal cx, qreal headY, qreal headR, const QRectF& shoulders) {
    p.setPen(Qt::NoPen);
    p.setBrush(kDark);
    p.drawEllipse(QPointF(cx, headY), headR, headR);
    QPainterPath body;
    body.addRoundedRect(shoulders, shoulders.width() * 0.38, shoulders.width() * 0.38);
    QPainterPath cut;
    cut.addRect(QRectF(0, 0, kGrid, 29));
    fillPath(p, body.intersected(cut),
             vertical(shoulders.top(), 29, kTurquoise.lighter(110), kTurquoiseDark));
}

void drawCustomer(QPainter& p) {
    drawPerson(p, 10.5, 9.5, 5, QRectF(1.5, 16.5, 18, 16));
    p.setPen(stroke(kTurquoiseDeep, 2.2));
    p.drawLine(QPointF(21.5, 16.5), QPointF(29.5, 16.5));
    arrowHead(p, QPointF(29.5, 16.5), -3.3, 0);
    p.setPen(stroke(kOrange, 2.2));
    p.drawLine(QPointF(29.5, 24), QPointF(21.5, 24));
    arrowHead(p, QPointF(21.5, 24), 3.3, 0);
}

void drawMenu(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(kDark);
    for (qreal y : {7.5, 14.25, 21.0})
        p.drawRoundedRect(QRectF(5, y, 22, 3.5), 1.75, 1.75);
}

void drawPicture(QPainter& p) {
    p.setPen(stroke(kMid, 1.5));
    p.setBrush(kPaper);
    p.drawRoundedRect(QRectF(3, 6, 26, 20), 2, 2);
    const QRectF inner(5.5, 8.5, 21, 15);
    p.save();
    p.setClipRect(inner);
    p.fillRect(inner, kTurquoiseWash);
    p.setPen(Qt::NoPen);
    fillPath(p, polygonPath({{10, 23.5}, {19, 12.5}, {27.5, 23.5}}), kTurquoise);
    fillPath(p, polygonPath({{4.5, 23.5}, {11, 15.5}, {17.5, 23.5}}), kTurquoiseDark);
    p.setBrush(kGold);
    p.drawEllipse(QPointF(10.5, 12.5), 2.2, 2.2);
    p.restore();
}

void drawNew(QPainter& p) {
    p.setPen(QPen(QColor(0xD9, 0x82, 0x0A), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(vertical(3, 29, QColor(0xFF, 0xD2, 0x4D), QColor(0xF5, 0x9E, 0x0B)));
    p.drawPath(starPath(QPointF(16, 17), 5, 13, 5.4));
}

void drawCampaignFlag(QPainter& p) {
    p.setPen(QPen(QColor(0xB8, 0x2E, 0x22), 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QLinearGradient g(3, 0, 29, 0);
    g.setColorAt(0, QColor(0xF5, 0x8A, 0x3C));
    g.setColorAt(1, QColor(0xE0, 0x3C, 0x31));
    p.setBrush(g);
    p.drawPath(polygonPath({{2.5, 16}, {9, 8}, {29.5, 8}, {29.5, 24}, {9, 24}}));
    p.setPen(Qt::NoPen);
    p.setBrush(kPaper);
    p.drawEllipse(QPointF(9, 16), 1.8, 1.8);
    percentSign(p, QPointF(20, 16), 9.5, kPaper);
}

void drawNoFlag(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xC5, 0xCD, 0xD3));
    p.drawEllipse(QPointF(16, 16), 3.5, 3.5);
}

void drawExcel(QPainter& p) {
    QPainterPath sheet;
    sheet.addRoundedRect(QRectF(4, 3.5, 24, 25), 2, 2);
    p.fillPath(sheet, kPaper);
    p.save();
    p.setClipPath(sheet);
    p.fillRect(QRectF(4, 9, 8, 20), QColor(0xD7, 0xEE, 0xDD));
    p.fillRect(QRectF(4, 3.5, 24, 5.5), kSheetGreen);
    p.setPen(QPen(QColor(0x1D, 0x6F, 0x42, 170), 1.0));
    for (qreal y : {14.0, 19.0, 24.0})
        p.drawLine(QPointF(4, y), QPointF(28, y));
    for (qreal x : {12.0, 20.0})
        p.drawLine(QPointF(x, 9), QPointF(x, 28.5));
    p.restore();
    p.setPen(stroke(kSheetGreen, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(sheet);
}

void drawSend(QPainter& p) {
    p.setPen(Qt::NoPen);
    fillPath(p, polygonPath({{29.5, 3}, {2.5, 14.5}, {12.5, 18.5}}),
             vertical(3, 18.5, kTurquoise.lighter(115), kTurquoise));
    fillPath(p, polygonPath({{29.5, 3}, {12.5, 18.5}, {19.5, 28.5}}), kTurquoiseDark);
    fillPath(p, polygonPath({{12.5, 18.5}, {13.2, 26.5}, {16.8, 23.2}}), kTurquoiseDeep);
}

void drawClose(QPainter& p) {
    p.setPen(stroke(kCloseRed, 4));
    p.drawLine(QPointF(8.5, 8.5), QPointF(23.5, 23.5));
    p.drawLine(QPointF(23.5, 8.5), QPointF(8.5, 23.5));
}

void drawMail(QPainter& p) {
    p.setPen(stroke(kTurquoise, 1.8));
    p.setBrush(vertical(7.5, 25, kPaper, kTurquoiseWash));
    p.drawRoundedRect(QRectF(3, 7.5, 26, 17.5), 2, 2);
    p.setBrush(Qt::NoBrush);
    p.setPen(stroke(kTurquoiseLight, 1.3));
    p.drawLine(QPointF(4.5, 23.5), QPointF(12.5, 15.8));
    p.drawLine(QPointF(27.5, 23.5), QPointF(19.5, 15.8));
    p.setPen(stroke(kTurquoise, 1.8));
    QPainterPath flap;
    flap.moveTo(4.2, 9);
    flap.lineTo(16, 18);
    flap.lineTo(27.8, 9);
    p.drawPath(flap);
}

void drawKey(QPainter& p) {
    QPainterPath key;
    key.addEllipse(QPointF(10, 16), 7, 7);
    for (const QRectF& part :
         {QRectF(15.5, 14, 14, 4), QRectF(22, 17, 2.6, 4.5), QRectF(26.6, 17, 2.9, 6)}) {
        QPainterPath piece;
        piece.addRect(part);
        key = key.united(piece);
    }
    QPainterPath hole;
    hole.addEllipse(QPointF(8.3, 16), 2.4, 2.4);
    key = key.subtracted(hole);
    p.setPen(QPen(kGoldDark, 1.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(vertical(9, 23, QColor(0xF8, 0xD0, 0x60), QColor(0xE2, 0xA2, 0x1B)));
    p.drawPath(key.simplified());
}

void drawWeb(QPainter& p) {
    QPainterPath globe;
    globe.addEllipse(QPointF(16, 16), 12.5, 12.5);
    QRadialGradient g(QPointF(12, 11), 17);
    g.setColorAt(0, kTurquoise.lighter(125));
    g.setColorAt(1, kTurquoiseDark);
    p.fillPath(globe, g);
    p.save();
    p.setClipPath(globe);
    p.setPen(QPen(QColor(255, 255, 255, 215), 1.3));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(16, 16), 5.5, 12.5);
    p.drawLine(QPointF(16, 3), QPointF(16, 29));
    for (qreal y : {9.5, 16.0, 22.5})
        p.drawLine(QPointF(3, y), QPointF(29, y));
    p.restore();
    p.setPen(QPen(kTurquoiseDeep, 1.1));
    p.drawPath(globe);
}

void drawExit(QPainter& p) {
    p.setPen(stroke(kDark, 1.8));
    p.setBrush(vertical(3.5, 28.5, kLight, kMid));
    p.drawRect(QRectF(5, 3.5, 15, 25));
    p.setPen(Qt::NoPen);
    p.setBrush(kDark);
    p.drawEllipse(QPointF(16.8, 17), 1.3, 1.3);
    // The arrow leaves through the door, outlined so it stands off the leaf.
    for (const auto& [color, width] : {std::pair{kPaper, 5.6}, std::pair{kTurquoise, 3.0}}) {
        p.setPen(stroke(color, width));
        p.drawLine(QPointF(12, 16), QPointF(28.8, 16));
        arrowHead(p, QPointF(29.2, 16), -5, 0);
    }
}

void drawReports(QPainter& p) {
    p.setPen(Qt::NoPen);
    const struct {
        qreal x, height;
        QColor color;
    } bars[] = {{7.5, 9, kTurquoise},
                {12.8, 15, kTurquoiseDark},
                {18.1, 11.5, kTurquoise},
                {23.4, 20, kAmber}};
    for (const auto& bar : bars) {
        p.setBrush(bar.color);
        p.drawRoundedRect(QRectF(bar.x, 27 - bar.height, 4.2, bar.height), 0.8, 0.8);
    }
    p.setPen(stroke(kDark, 1.8));
    p.setBrush(Qt::NoBrush);
    QPainterPath axis;
    axis.moveTo(4.5, 3.5);
    axis.lineTo(4.5, 27.5);
    axis.lineTo(29.5, 27.5);
    p.drawPath(axis);
}

void drawUser(QPainter& p) {
    drawPerson(p, 16, 10, 6, QRectF(5, 18, 22, 18));
}

void drawLock(QPainter& p) {
    p.setPen(stroke(kDark, 3));
    p.setBrush(Qt::NoBrush);
    QPainterPath shackle;
    shackle.moveTo(10.5, 15);
    shackle.lineTo(10.5, 10.5);
    shackle.arcTo(QRectF(10.5, 4.5, 11, 12), 180, -180);
    shackle.lineTo(21.5, 15);
    p.drawPath(shackle);
    p.setPen(QPen(kTurquoiseDeep, 1.0));
    p.setBrush(vertical(14, 29, kTurquoise.lighter(112), kTurquoiseDark));
    p.drawRoundedRect(QRectF(6.5, 14, 19, 15), 2.5, 2.5);
    p.setPen(Qt::NoPen);
    p.setBrush(kDark);
    p.drawEllipse(QPointF(16, 20), 2.1, 2.1);
    p.drawRoundedRect(QRectF(15.1, 20, 1.8, 5), 0.8, 0.8);
}

// --- Stock states ----------------------------------------------------------------------------

void drawStateNone(QPainter& p) {
    stateDisc(p, kRed);
    p.setPen(stroke(kPaper, 3.2));
    p.drawLine(QPointF(11, 11), QPointF(21, 21));
    p.drawLine(QPointF(21, 11), QPointF(11, 21));
}

void drawStateAvailable(QPainter& p) {
    stateDisc(p, kGreen);
    p.setPen(stroke(kPaper, 3.2));
    p.setBrush(Qt::NoBrush);
    QPainterPath tick;
    tick.moveTo(9.5, 16.5);
    tick.lineTo(14, 21);
    tick.lineTo(22.5, 11.5);
    p.drawPath(tick);
}

void drawStatePhone(QPainter& p) {
    stateDisc(p, kBlue);
    QPen grip(kPaper, 3.4);
    grip.setCapStyle(Qt::FlatCap);
    p.setPen(grip);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(11.5, 4.5, 16, 16), 180 * 16, 90 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(kPaper);
    p.save();
    p.translate(11.2, 10.6);
    p.rotate(20);
    p.drawRoundedRect(QRectF(-3, -3.2, 6, 6.4), 1.8, 1.8);
    p.restore();
    p.save();
    p.translate(21.4, 20.8);
    p.rotate(70);
    p.drawRoundedRect(QRectF(-3, -3.2, 6, 6.4), 1.8, 1.8);
    p.restore();
}

void drawStateOnTheWay(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(vertical(8, 23, kOrange.lighter(112), kOrange));
    p.drawRoundedRect(QRectF(1.5, 8, 17.5, 14.5), 1.5, 1.5);
    fillPath(p, polygonPath({{19.8, 12.5}, {25.5, 12.5}, {30, 17.8}, {30, 22.5}, {19.8, 22.5}}),
             QColor(0xD9, 0x6E, 0x12));
    fillPath(p, polygonPath({{21.3, 14}, {24.8, 14}, {27.7, 17.6}, {21.3, 17.6}}),
             QColor(0xFF, 0xE6, 0xCC));
    p.setBrush(kDark);
    p.drawRect(QRectF(1.5, 22.5, 28.5, 1.6));
    for (qreal x : {7.5, 24.0}) {
        p.setBrush(kDark);
        p.drawEllipse(QPointF(x, 25), 3.2, 3.2);
        p.setBrush(kLight);
        p.drawEllipse(QPointF(x, 25), 1.2, 1.2);
    }
}

void drawStateSpecialOrder(QPainter& p) {
    p.setPen(QPen(kPurple.darker(135), 1.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(vertical(3, 29, kPurple.lighter(125), kPurple));
    p.drawPath(starPath(QPointF(16, 17), 5, 13.5, 5.6));
}

void drawStateSupply(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(kDark);
    p.drawRoundedRect(QRectF(8, 2.5, 16, 3), 1.2, 1.2);
    p.drawRoundedRect(QRectF(8, 26.5, 16, 3), 1.2, 1.2);
    p.setPen(QPen(QColor(0xD4, 0x8C, 0x0A), 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(0xFD, 0xEB, 0xC0));
    p.drawPath(polygonPath({{10.5, 5.5},
                            {21.5, 5.5},
                            {21.5, 8.5},
                            {17.2, 16},
                            {21.5, 23.5},
                            {21.5, 26.5},
                            {10.5, 26.5},
                            {10.5, 23.5},
                            {14.8, 16},
                            {10.5, 8.5}}));
    p.setPen(Qt::NoPen);
    fillPath(p, polygonPath({{12.3, 9.2}, {19.7, 9.2}, {16, 14.6}}), kAmber);
    fillPath(p, polygonPath({{11.6, 25.6}, {20.4, 25.6}, {16, 20.6}}), kAmber);
    p.setPen(QPen(kAmber, 1.0));
    p.drawLine(QPointF(16, 14.6), QPointF(16, 21));
}

void drawStateRunningLow(QPainter& p) {
    const QColor rim(0xE8, 0x9A, 0x0C);
    QPainterPath disc;
    disc.addEllipse(QPointF(16, 16), 12.5, 12.5);
    p.fillPath(disc, kPaper);
    p.save();
    p.setClipRect(QRectF(0, 16, kGrid, kGrid));
    p.fillPath(disc, vertical(16, 29, QColor(0xF8, 0xC2, 0x2A), QColor(0xF0, 0x9A, 0x10)));
    p.restore();
    p.setPen(QPen(rim, 2.2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(disc);
    p.setPen(stroke(QColor(0xB3, 0x6F, 0x00), 2.2));
    p.drawLine(QPointF(16, 7), QPointF(16, 13.8));
    arrowHead(p, QPointF(16, 14), 0, -4);
}

void drawStateUnknown(QPainter& p) {
    p.setPen(QPen(QColor(0xC8, 0xCF, 0xD4), 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(16, 16), 9, 9);
}

// --- The engine ------------------------------------------------------------------------------

// A greyed, faded copy for the disabled look.
QImage disabledImage(const QImage& source) {
    QImage image = source.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grey = 140 + qGray(line[x]) * 100 / 255;
            line[x] = qRgba(grey, grey, grey, qAlpha(line[x]) * 45 / 100);
        }
    }
    return image;
}

// Paints one drawing at whatever size is asked for; the pixmaps are cached per size.
class DrawnIconEngine final : public QIconEngine {
public:
    DrawnIconEngine(QString name, DrawFn draw) : m_name(std::move(name)), m_draw(draw) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal dpr = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
        QPixmap pm = pixmap(rect.size() * dpr, mode, state);
        pm.setDevicePixelRatio(dpr);
        painter->drawPixmap(rect, pm);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
        if (size.isEmpty())
            return {};
        const QString key = QStringLiteral("vk-icon:%1:%2x%3:%4")
                                .arg(m_name)
                                .arg(size.width())
                                .arg(size.height())
                                .arg(int(mode == QIcon::Disabled));
        QPixmap pm;
        if (QPixmapCache::find(key, &pm))
            return pm;
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter p(&image);
            p.setRenderHint(QPainter::Antialiasing);
            const qreal side = std::min(size.width(), size.height());
            p.translate((size.width() - side) / 2.0, (size.height() - side) / 2.0);
            p.scale(side / kGrid, side / kGrid);
            m_draw(p);
        }
        if (mode == QIcon::Disabled)
            image = disabledImage(image);
        pm = QPixmap::fromImage(image);
        QPixmapCache::insert(key, pm);
        return pm;
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }
    QIconEngine* clone() const override { return new DrawnIconEngine(m_name, m_draw); }
    QString key() const override { return QStringLiteral("vk-drawn"); }
    QString iconName() override { return m_name; }
    bool isNull() override { return false; }

private:
    QString m_name;
    DrawFn m_draw;
};

QIcon drawnIcon(const QString& name, DrawFn draw) {
    return QIcon(new DrawnIconEngine(name, draw));
}

} // namespace

QIcon appIcon(AppIcon icon) {
    struct Entry {
        const char16_t* name;
        DrawFn draw;
    };
    const auto entry = [icon]() -> Entry {
        switch (icon) {
        case AppIcon::StockList:
            return {u"stock-list", drawStockList};
        case AppIcon::Basket:
            return {u"basket", drawBasket};
        case AppIcon::PreviousOrders:
            return {u"previous-orders", drawPreviousOrders};
        case AppIcon::Statement:
            return {u"statement", drawStatement};
        case AppIcon::NewStock:
            return {u"new-stock", drawNewStock};
        case AppIcon::Campaign:
            return {u"campaign", drawCampaign};
        case AppIcon::Announcements:
            return {u"announcements", drawAnnouncements};
        case AppIcon::Balances:
            return {u"balances", drawBalances};
        case AppIcon::VirtualPos:
            return {u"virtual-pos", drawVirtualPos};
        case AppIcon::Search:
            return {u"search", drawSearch};
        case AppIcon::Clear:
            return {u"clear", drawClear};
        case AppIcon::Customer:
            return {u"customer", drawCustomer};
        case AppIcon::Menu:
            return {u"menu", drawMenu};
        case AppIcon::Picture:
            return {u"picture", drawPicture};
        case AppIcon::New:
            return {u"new", drawNew};
        case AppIcon::CampaignFlag:
            return {u"campaign-flag", drawCampaignFlag};
        case AppIcon::NoFlag:
            return {u"no-flag", drawNoFlag};
        case AppIcon::Excel:
            return {u"excel", drawExcel};
        case AppIcon::Send:
            return {u"send", drawSend};
        case AppIcon::Close:
            return {u"close", drawClose};
        case AppIcon::Mail:
            return {u"mail", drawMail};
        case AppIcon::Key:
            return {u"key", drawKey};
        case AppIcon::Web:
            return {u"web", drawWeb};
        case AppIcon::Exit:
            return {u"exit", drawExit};
        case AppIcon::Reports:
            return {u"reports", drawReports};
        case AppIcon::User:
            return {u"user", drawUser};
        case AppIcon::Lock:
            return {u"lock", drawLock};
        }
        return {u"no-flag", drawNoFlag};
    }();
    return drawnIcon(QString::fromUtf16(entry.name), entry.draw);
}

QIcon stockStateIcon(int durum) {
    switch (durum) {
    case 0:
        return drawnIcon(QStringLiteral("state-0"), drawStateNone);
    case 1:
        return drawnIcon(QStringLiteral("state-1"), drawStateAvailable);
    case 2:
        return drawnIcon(QStringLiteral("state-2"), drawStatePhone);
    case 3:
        return drawnIcon(QStringLiteral("state-3"), drawStateOnTheWay);
    case 4:
        return drawnIcon(QStringLiteral("state-4"), drawStateSpecialOrder);
    case 5:
        return drawnIcon(QStringLiteral("state-5"), drawStateSupply);
    case 6:
        return drawnIcon(QStringLiteral("state-6"), drawStateRunningLow);
    default:
        return drawnIcon(QStringLiteral("state-other"), drawStateUnknown);
    }
}

QPixmap logoPixmap(QSize size) {
    if (size.isEmpty())
        return {};
    // Laid out on a mark 100 units high, then scaled as a whole into the size asked for.
    constexpr qreal kMark = 100;
    constexpr qreal kTextLeft = 122;
    QFont nameFont(QStringLiteral("DejaVu Sans"));
    nameFont.setStyleHint(QFont::SansSerif);
    nameFont.setBold(true);
    nameFont.setPixelSize(44);
    QFont tagFont = nameFont;
    tagFont.setPixelSize(26);
    tagFont.setLetterSpacing(QFont::AbsoluteSpacing, 4);

    QPainterPath name;
    name.addText(QPointF(kTextLeft, 56), nameFont, QStringLiteral("VELKOR OTOMOTİV"));
    QPainterPath tag;
    tag.addText(QPointF(kTextLeft + 2, 92), tagFont, QStringLiteral("B2B"));
    const qreal nameRight = name.boundingRect().right();
    const qreal tagRight = tag.boundingRect().right();
    const QRectF design(0, 0, std::max(nameRight, tagRight) + 2, kMark);

    QPixmap pm(size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal scale = std::min(size.width() / design.width(), size.height() / design.height());
    p.translate((size.width() - design.width() * scale) / 2,
                (size.height() - design.height() * scale) / 2);
    p.scale(scale, scale);

    QPainterPath mark;
    mark.addRoundedRect(QRectF(1, 1, kMark - 2, kMark - 2), 22, 22);
    p.fillPath(mark, vertical(0, kMark, QColor(0x27, 0xBC, 0xCC), kTurquoiseDark));
    p.fillPath(polygonPath({{22, 24}, {39, 24}, {50, 57}, {61, 24}, {78, 24}, {59, 78}, {41, 78}}),
               kPaper);
    // A road line under the mark's V.
    p.fillPath(polygonPath({{30, 84}, {70, 84}, {67, 89}, {33, 89}}), QColor(255, 255, 255, 150));

    p.fillPath(name, kDark);
    p.fillPath(tag, kTurquoise);
    const qreal ruleLeft = tagRight + 12;
    if (nameRight - ruleLeft > 10)
        p.fillRect(QRectF(ruleLeft, 80, nameRight - ruleLeft, 3), kLight);
    return pm;
}

} // namespace vk
