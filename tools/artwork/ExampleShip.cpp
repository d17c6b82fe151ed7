#include "ExampleShip.h"

#include "Palette.h"
#include "SmoothPainter.h"

#include <QPainter>
#include <QPainterPath>

#include <cstdint>

namespace pelto5::art {
namespace {

using namespace palette;

const QColor kSpace(6, 8, 20);
const QColor kHullLight(170, 176, 190);
const QColor kHullMid(120, 126, 142);
const QColor kHullDark(72, 76, 92);
const QColor kGlow(120, 200, 255);
const QColor kEngine(255, 140, 60);

// A fixed sequence, so the star field is the same on every run.
class Lcg {
public:
    std::uint32_t Next() {
        state_ = state_ * 1664525u + 1013904223u;
        return state_ >> 8;
    }

private:
    std::uint32_t state_ = 20240611u;
};

// Deep space with `count` stars, the same ones on every run.
QImage StarField(int w, int h, int count) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(kSpace);
    Lcg random;
    for (int k = 0; k < count; ++k) {
        const int x = static_cast<int>(random.Next() % static_cast<std::uint32_t>(w));
        const int y = static_cast<int>(random.Next() % static_cast<std::uint32_t>(h));
        const int level = 110 + static_cast<int>(random.Next() % 140u);
        image.setPixel(x, y, qRgb(level, level, std::min(255, level + 30)));
    }
    return image;
}

void Turret(QPainter& p, QPoint at, const QColor& tint) {
    p.setPen(QPen(kHullDark, 1));
    p.setBrush(tint);
    p.drawEllipse(QPointF(at), 4.5, 4.5);
    p.setBrush(kHullDark);
    p.drawEllipse(QPointF(at), 1.5, 1.5);
}

// One kind of hardpoint and where each of its hardpoints sits, in number order.
struct Kind {
    const char* name;
    std::vector<QPoint> points;
};

// The hardpoints of every kind, numbered from 1 within their kind in the order given;
// a kind with a single hardpoint goes unnumbered.
std::vector<ShipPoint> Numbered(std::initializer_list<Kind> kinds) {
    std::vector<ShipPoint> points;
    for (const Kind& kind : kinds) {
        const bool single = kind.points.size() == 1;
        int number = 0;
        for (const QPoint& at : kind.points)
            points.push_back({QString::fromLatin1(kind.name), single ? 0 : ++number, at});
    }
    return points;
}

// The hardpoint's position as the ship file spells it: "x,y", or with another comma.
QString Position(const ShipPoint& pt, const QString& comma = QStringLiteral(",")) {
    return QString::number(pt.at.x()) + comma + QString::number(pt.at.y());
}

} // namespace

QString ShipPoint::Name() const {
    return number > 0 ? kind + QString::number(number) : kind;
}

const std::vector<ShipPoint>& ShipVlPoints() {
    // Weapons 1 to 11 are beam mounts above the hull, the rest heavy mounts below.
    static const std::vector<ShipPoint> kPoints = Numbered({
        {"VLPower", {{200, 180}, {260, 180}, {320, 180}}},
        {"VLBridge", {{432, 166}, {452, 180}, {432, 194}}},
        {"VLHull", {{150, 150}, {340, 214}, {510, 180}}},
        {"VLWeapon",
         {{80, 64},   {140, 62},  {200, 62},  {260, 64},  {240, 127}, {300, 126}, {360, 129},
          {420, 135}, {470, 145}, {520, 160}, {556, 174}, {80, 296},  {140, 298}, {200, 298},
          {260, 296}, {240, 234}, {300, 234}, {360, 231}, {420, 225}, {470, 215}, {520, 200}}},
    });
    return kPoints;
}

const std::vector<ShipPoint>& ShipTiPoints() {
    // Weapons 1 to 11 lie left of the keel, the rest right of it.
    static const std::vector<ShipPoint> kPoints = Numbered({
        {"Warp", {{75, 96}}},
        {"Impulse", {{75, 146}}},
        {"Thruster", {{75, 22}}},
        {"Weapon", {{66, 30}, {58, 48},  {54, 68},  {54, 88},  {56, 108}, {60, 128},  {23, 76},
                    {23, 94}, {23, 112}, {23, 130}, {23, 146}, {84, 30},  {92, 48},   {96, 68},
                    {96, 88}, {94, 108}, {90, 128}, {127, 76}, {127, 94}, {127, 112}, {127, 130}}},
    });
    return kPoints;
}

QImage DrawShipVl() {
    QImage image = StarField(kShipVlWidth, kShipVlHeight, 260);
    SmoothPainter p(&image);

    // Nacelles on their pylons, engine glow at the stern.
    p.setPen(QPen(kHullDark, 2));
    p.setBrush(kHullMid);
    p.drawPolygon(
        QPolygonF({QPointF(170, 88), QPointF(210, 88), QPointF(250, 128), QPointF(200, 128)}));
    p.drawPolygon(
        QPolygonF({QPointF(170, 272), QPointF(210, 272), QPointF(250, 232), QPointF(200, 232)}));
    for (const int top : {50, 256}) {
        p.setBrush(kHullLight);
        p.drawRoundedRect(QRectF(46, top, 250, 54), 24, 24);
        p.setBrush(kGlow);
        p.drawRoundedRect(QRectF(90, top + 22, 180, 10), 5, 5);
        p.setBrush(kEngine);
        p.drawEllipse(QRectF(34, top + 12, 22, 30));
    }

    // Main hull, pointed bow to the right.
    const QPolygonF hull({QPointF(580, 180), QPointF(505, 148), QPointF(385, 124),
                          QPointF(225, 118), QPointF(110, 132), QPointF(66, 160), QPointF(66, 200),
                          QPointF(110, 228), QPointF(225, 242), QPointF(385, 236),
                          QPointF(505, 212)});
    p.setBrush(kHullLight);
    p.drawPolygon(hull);
    p.setBrush(kHullMid);
    p.drawPolygon(
        QPolygonF({QPointF(560, 180), QPointF(495, 160), QPointF(380, 146), QPointF(130, 150),
                   QPointF(90, 180), QPointF(130, 210), QPointF(380, 214), QPointF(495, 200)}));
    p.setBrush(kEngine);
    p.drawRect(QRectF(50, 166, 18, 28));

    // Reactor cores along the spine.
    for (const ShipPoint& pt : ShipVlPoints()) {
        if (pt.kind == QLatin1String("VLPower")) {
            p.setBrush(kGlow);
            p.setPen(QPen(kHullDark, 2));
            p.drawEllipse(QPointF(pt.at), 14, 14);
            p.setBrush(Qt::white);
            p.drawEllipse(QPointF(pt.at), 5, 5);
        }
    }
    // Bridge dome with its windows.
    p.setPen(QPen(kHullDark, 2));
    p.setBrush(kHullLight);
    p.drawEllipse(QPointF(440, 180), 26, 24);
    p.setBrush(kGlow);
    for (const ShipPoint& pt : ShipVlPoints())
        if (pt.kind == QLatin1String("VLBridge"))
            p.drawEllipse(QPointF(pt.at), 4, 4);
    // Armour plates.
    p.setBrush(kHullDark);
    for (const ShipPoint& pt : ShipVlPoints())
        if (pt.kind == QLatin1String("VLHull"))
            p.drawRect(QRectF(pt.at.x() - 9, pt.at.y() - 6, 18, 12));
    // Weapon turrets: beam mounts above, heavy mounts below.
    for (const ShipPoint& pt : ShipVlPoints())
        if (pt.kind == QLatin1String("VLWeapon"))
            Turret(p, pt.at, pt.number <= 11 ? kLilac : kRed);
    p.setPen(kLilac);
    p.setFont(QFont(QStringLiteral("Liberation Sans Narrow"), 11, QFont::Bold));
    p.drawText(QRectF(330, 330, 260, 24), Qt::AlignRight,
               QStringLiteral("ESCORT CORVETTE  PELTO-5"));
    return image;
}

QImage DrawShipTi() {
    QImage image = StarField(kShipTiWidth, kShipTiHeight, 40);
    SmoothPainter p(&image);
    // Nacelles and their struts; at this size every part has a thinner outline.
    p.setBrush(kHullMid);
    p.setPen(QPen(kHullDark, 1.5));
    p.drawRect(QRectF(30, 100, 20, 8));
    p.drawRect(QRectF(101, 100, 20, 8));
    p.setBrush(kHullLight);
    p.drawRoundedRect(QRectF(15, 66, 16, 88), 7, 7);
    p.drawRoundedRect(QRectF(120, 66, 16, 88), 7, 7);
    p.setBrush(kEngine);
    p.drawRect(QRectF(17, 152, 12, 5));
    p.drawRect(QRectF(122, 152, 12, 5));
    // Hull seen from above, bow up.
    QPainterPath hull;
    hull.moveTo(75, 8);
    hull.cubicTo(104, 30, 106, 120, 94, 152);
    hull.lineTo(56, 152);
    hull.cubicTo(44, 120, 46, 30, 75, 8);
    p.setBrush(kHullLight);
    p.drawPath(hull);
    p.setBrush(kGlow);
    for (const ShipPoint& pt : ShipTiPoints()) {
        if (pt.kind == QLatin1String("Warp"))
            p.drawEllipse(QPointF(pt.at), 7, 9);
        else if (pt.kind == QLatin1String("Impulse")) {
            p.setBrush(kEngine);
            p.drawRect(QRectF(pt.at.x() - 12, pt.at.y() - 3, 24, 6));
            p.setBrush(kGlow);
        } else if (pt.kind == QLatin1String("Thruster"))
            p.drawEllipse(QPointF(pt.at), 3, 3);
        else {
            p.setBrush(pt.number <= 11 ? kLilac : kRed);
            p.drawEllipse(QPointF(pt.at), 2.5, 2.5);
            p.setBrush(kGlow);
        }
    }
    return image;
}

QByteArray ShipFileText() {
    const auto& vl = ShipVlPoints();
    const auto& ti = ShipTiPoints();
    // A few hardpoints stand outside [HardPoints], or are spelt differently, to show the
    // reader copes.
    auto elsewhere = [](const ShipPoint& pt) {
        const QString n = pt.Name();
        return n == QLatin1String("Warp") || n == QLatin1String("VLWeapon5") ||
               n == QLatin1String("Weapon3") || n == QLatin1String("Thruster");
    };
    QString hardpoints;
    for (const auto* points : {&vl, &ti})
        for (const ShipPoint& pt : *points)
            if (!elsewhere(pt))
                hardpoints += pt.Name() + QLatin1Char('=') + Position(pt) + QLatin1Char('\n');

    QString text = QStringLiteral(R"(; Corvette.gf - a sample ship for Pelto5.
; Pictures: CorvetteVL.bmp (side view) and CorvetteTI.bmp (from above).
; Positions are pixels from each picture's top-left corner.
[General]
Name=Pelto Corvette
Class=Escort
Crew=36
Mass=5400

[Engines]
WarpRating=6
ImpulseRating=4
; Hardpoint lines count wherever they stand, in any letter case.
warp=%1
 Thruster = %2

[Weapons]
Beam=Phaser Mk II
Heavy=Plasma Howitzer
Arc=270
VL Weapon 5 = %3
WEAPON3=%4

[HardPoints]
; VLWeapon22 and Weapon22 are left out: they wait in the tray.
%5
[Notes]
Designer=Pelto5 sample
Comment=Weapon lines below this header are not hardpoints: WeaponCount=21
)");
    text = text.arg(Position(ti[0]), Position(ti[2], QStringLiteral(" , ")), Position(vl[13]),
                    Position(ti[5]), hardpoints);
    return text.replace(QLatin1Char('\n'), QLatin1String("\r\n")).toLatin1();
}

} // namespace pelto5::art
