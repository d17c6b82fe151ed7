#include "ExampleShip.h"

#include "Palette.h"

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

void Stars(QImage& image, int count) {
    Lcg random;
    for (int k = 0; k < count; ++k) {
        const int x = static_cast<int>(random.Next() % static_cast<std::uint32_t>(image.width()));
        const int y = static_cast<int>(random.Next() % static_cast<std::uint32_t>(image.height()));
        const int level = 110 + static_cast<int>(random.Next() % 140u);
        image.setPixel(x, y, qRgb(level, level, std::min(255, level + 30)));
    }
}

void Turret(QPainter& p, QPoint at, const QColor& tint) {
    p.setPen(QPen(kHullDark, 1));
    p.setBrush(tint);
    p.drawEllipse(QPointF(at), 4.5, 4.5);
    p.setBrush(kHullDark);
    p.drawEllipse(QPointF(at), 1.5, 1.5);
}

} // namespace

const std::vector<ShipPoint>& ShipVlPoints() {
    static const std::vector<ShipPoint> kPoints{
        {"VLPower1", {200, 180}},   {"VLPower2", {260, 180}},   {"VLPower3", {320, 180}},
        {"VLBridge1", {432, 166}},  {"VLBridge2", {452, 180}},  {"VLBridge3", {432, 194}},
        {"VLHull1", {150, 150}},    {"VLHull2", {340, 214}},    {"VLHull3", {510, 180}},
        {"VLWeapon1", {80, 64}},    {"VLWeapon2", {140, 62}},   {"VLWeapon3", {200, 62}},
        {"VLWeapon4", {260, 64}},   {"VLWeapon5", {240, 127}},  {"VLWeapon6", {300, 126}},
        {"VLWeapon7", {360, 129}},  {"VLWeapon8", {420, 135}},  {"VLWeapon9", {470, 145}},
        {"VLWeapon10", {520, 160}}, {"VLWeapon11", {556, 174}}, {"VLWeapon12", {80, 296}},
        {"VLWeapon13", {140, 298}}, {"VLWeapon14", {200, 298}}, {"VLWeapon15", {260, 296}},
        {"VLWeapon16", {240, 234}}, {"VLWeapon17", {300, 234}}, {"VLWeapon18", {360, 231}},
        {"VLWeapon19", {420, 225}}, {"VLWeapon20", {470, 215}}, {"VLWeapon21", {520, 200}},
    };
    return kPoints;
}

const std::vector<ShipPoint>& ShipTiPoints() {
    static const std::vector<ShipPoint> kPoints{
        {"Warp", {75, 96}},      {"Impulse", {75, 146}},   {"Thruster", {75, 22}},
        {"Weapon1", {66, 30}},   {"Weapon2", {58, 48}},    {"Weapon3", {54, 68}},
        {"Weapon4", {54, 88}},   {"Weapon5", {56, 108}},   {"Weapon6", {60, 128}},
        {"Weapon7", {23, 76}},   {"Weapon8", {23, 94}},    {"Weapon9", {23, 112}},
        {"Weapon10", {23, 130}}, {"Weapon11", {23, 146}},  {"Weapon12", {84, 30}},
        {"Weapon13", {92, 48}},  {"Weapon14", {96, 68}},   {"Weapon15", {96, 88}},
        {"Weapon16", {94, 108}}, {"Weapon17", {90, 128}},  {"Weapon18", {127, 76}},
        {"Weapon19", {127, 94}}, {"Weapon20", {127, 112}}, {"Weapon21", {127, 130}},
    };
    return kPoints;
}

QImage DrawShipVl() {
    QImage image(kShipVlWidth, kShipVlHeight, QImage::Format_RGB32);
    image.fill(kSpace);
    Stars(image, 260);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);

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
    for (const auto& pt : ShipVlPoints()) {
        const QString name = QString::fromLatin1(pt.name);
        if (name.startsWith(QLatin1String("VLPower"))) {
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
    for (const auto& pt : ShipVlPoints())
        if (QString::fromLatin1(pt.name).startsWith(QLatin1String("VLBridge")))
            p.drawEllipse(QPointF(pt.at), 4, 4);
    // Armour plates.
    p.setBrush(kHullDark);
    for (const auto& pt : ShipVlPoints())
        if (QString::fromLatin1(pt.name).startsWith(QLatin1String("VLHull")))
            p.drawRect(QRectF(pt.at.x() - 9, pt.at.y() - 6, 18, 12));
    // Weapon turrets: beam mounts above, heavy mounts below.
    for (const auto& pt : ShipVlPoints()) {
        const QString name = QString::fromLatin1(pt.name);
        if (name.startsWith(QLatin1String("VLWeapon")))
            Turret(p, pt.at, name.mid(8).toInt() <= 11 ? kLilac : kRed);
    }
    p.setPen(kLilac);
    p.setFont(QFont(QStringLiteral("Liberation Sans Narrow"), 11, QFont::Bold));
    p.drawText(QRectF(330, 330, 260, 24), Qt::AlignRight,
               QStringLiteral("ESCORT CORVETTE  PELTO-5"));
    return image;
}

QImage DrawShipTi() {
    QImage image(kShipTiWidth, kShipTiHeight, QImage::Format_RGB32);
    image.fill(kSpace);
    Stars(image, 40);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(kHullDark, 1.5));
    // Nacelles and their struts.
    p.setBrush(kHullMid);
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
    for (const auto& pt : ShipTiPoints()) {
        const QString name = QString::fromLatin1(pt.name);
        if (name == QLatin1String("Warp"))
            p.drawEllipse(QPointF(pt.at), 7, 9);
        else if (name == QLatin1String("Impulse")) {
            p.setBrush(kEngine);
            p.drawRect(QRectF(pt.at.x() - 12, pt.at.y() - 3, 24, 6));
            p.setBrush(kGlow);
        } else if (name == QLatin1String("Thruster"))
            p.drawEllipse(QPointF(pt.at), 3, 3);
        else {
            p.setBrush(name.mid(6).toInt() <= 11 ? kLilac : kRed);
            p.drawEllipse(QPointF(pt.at), 2.5, 2.5);
            p.setBrush(kGlow);
        }
    }
    return image;
}

QByteArray ShipFileText() {
    auto line = [](QByteArray& out, const QString& text) {
        out += text.toLatin1();
        out += "\r\n";
    };
    auto entry = [](const ShipPoint& pt) {
        return QStringLiteral("%1=%2,%3").arg(QLatin1String(pt.name)).arg(pt.at.x()).arg(pt.at.y());
    };
    const auto& vl = ShipVlPoints();
    const auto& ti = ShipTiPoints();
    // A few lines stand elsewhere, or are spelt differently, to show the reader copes.
    auto elsewhere = [](const char* name) {
        const QString n = QString::fromLatin1(name);
        return n == QLatin1String("Warp") || n == QLatin1String("VLWeapon5") ||
               n == QLatin1String("Weapon3") || n == QLatin1String("Thruster");
    };

    QByteArray out;
    line(out, QStringLiteral("; Corvette.gf - a sample ship for Pelto5."));
    line(out,
         QStringLiteral("; Pictures: CorvetteVL.bmp (side view) and CorvetteTI.bmp (from above)."));
    line(out, QStringLiteral("; Positions are pixels from each picture's top-left corner."));
    line(out, QStringLiteral("[General]"));
    line(out, QStringLiteral("Name=Pelto Corvette"));
    line(out, QStringLiteral("Class=Escort"));
    line(out, QStringLiteral("Crew=36"));
    line(out, QStringLiteral("Mass=5400"));
    line(out, QString());
    line(out, QStringLiteral("[Engines]"));
    line(out, QStringLiteral("WarpRating=6"));
    line(out, QStringLiteral("ImpulseRating=4"));
    line(out, QStringLiteral("; Hardpoint lines count wherever they stand, in any letter case."));
    line(out, QStringLiteral("warp=%1,%2").arg(ti[0].at.x()).arg(ti[0].at.y()));
    line(out, QStringLiteral(" Thruster = %1 , %2").arg(ti[2].at.x()).arg(ti[2].at.y()));
    line(out, QString());
    line(out, QStringLiteral("[Weapons]"));
    line(out, QStringLiteral("Beam=Phaser Mk II"));
    line(out, QStringLiteral("Heavy=Plasma Howitzer"));
    line(out, QStringLiteral("Arc=270"));
    line(out, QStringLiteral("VL Weapon 5 = %1,%2").arg(vl[13].at.x()).arg(vl[13].at.y()));
    line(out, QStringLiteral("WEAPON3=%1,%2").arg(ti[5].at.x()).arg(ti[5].at.y()));
    line(out, QString());
    line(out, QStringLiteral("[HardPoints]"));
    line(out, QStringLiteral("; VLWeapon22 and Weapon22 are left out: they wait in the tray."));
    for (const ShipPoint& pt : vl)
        if (!elsewhere(pt.name))
            line(out, entry(pt));
    for (const ShipPoint& pt : ti)
        if (!elsewhere(pt.name))
            line(out, entry(pt));
    line(out, QString());
    line(out, QStringLiteral("[Notes]"));
    line(out, QStringLiteral("Designer=Pelto5 sample"));
    line(out, QStringLiteral(
                  "Comment=Weapon lines below this header are not hardpoints: WeaponCount=21"));
    return out;
}

} // namespace pelto5::art
