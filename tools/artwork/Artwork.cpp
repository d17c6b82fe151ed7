#include "Artwork.h"

#include "HardpointTable.h"
#include "Palette.h"
#include "PixelFont.h"
#include "SmoothPainter.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <map>

namespace pelto5::art {
namespace {

using namespace palette;

constexpr const char* kFontFile =
    "/usr/share/fonts/truetype/liberation/LiberationSansNarrow-Bold.ttf";

// Fills the pixels x0..x1, y0..y1 (both ends included).
void Fill(QPainter& p, int x0, int y0, int x1, int y1, const QColor& c) {
    p.fillRect(QRect(QPoint(x0, y0), QPoint(x1, y1)), c);
}

QImage Blank(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(kBlack);
    return image;
}

// A bar over the pixels x0..x1, y0..y1 whose left and/or right end is a half round.
QPainterPath Capsule(int x0, int y0, int x1, int y1, bool roundLeft, bool roundRight) {
    const QRectF r(x0, y0, x1 - x0 + 1, y1 - y0 + 1);
    const qreal d = r.height();
    QPainterPath path;
    if (roundLeft) {
        path.moveTo(r.left() + d / 2, r.bottom());
        path.arcTo(QRectF(r.left(), r.top(), d, d), 270, -180);
    } else {
        path.moveTo(r.left(), r.bottom());
        path.lineTo(r.left(), r.top());
    }
    if (roundRight) {
        path.lineTo(r.right() - d / 2, r.top());
        path.arcTo(QRectF(r.right() - d, r.top(), d, d), 90, -180);
    } else {
        path.lineTo(r.right(), r.top());
        path.lineTo(r.right(), r.bottom());
    }
    path.closeSubpath();
    return path;
}

// A bar down the left of `outer` that turns, round its top-left corner, into a bar
// along the top; the corner is rounded inside too.
QPainterPath Elbow(const QRectF& outer, qreal barWidth, qreal barHeight, qreal outerDiameter,
                   qreal innerRadius) {
    const QPointF inner(outer.left() + barWidth, outer.top() + barHeight);
    QPainterPath path;
    path.moveTo(outer.bottomLeft());
    path.lineTo(outer.left(), outer.top() + outerDiameter / 2);
    path.arcTo(QRectF(outer.topLeft(), QSizeF(outerDiameter, outerDiameter)), 180, -90);
    path.lineTo(outer.topRight());
    path.lineTo(outer.right(), inner.y());
    path.lineTo(inner.x() + innerRadius, inner.y());
    path.quadTo(inner, QPointF(inner.x(), inner.y() + innerRadius));
    path.lineTo(inner.x(), outer.bottom());
    path.closeSubpath();
    return path;
}

void FillPath(QPainter& p, const QPainterPath& path, const QColor& c) {
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPath(path);
}

void FillRoundedRect(QPainter& p, const QRectF& rect, qreal radius, const QColor& c) {
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    FillPath(p, path, c);
}

// A black w x h picture filled whole by one rounded plate: the face of a marker or tile.
QImage DrawPlate(int w, int h, qreal radius, const QColor& fill) {
    QImage image = Blank(w, h);
    SmoothPainter p(&image);
    FillRoundedRect(p, QRectF(0, 0, w, h), radius, fill);
    return image;
}

void Word(QPainter& p, const QRect& box, const QString& text, int pixelSize, const QColor& ink,
          int flags = Qt::AlignCenter) {
    p.setFont(ConsoleFont(pixelSize));
    p.setPen(ink);
    p.drawText(box, flags, text);
}

// ---- Skin -----------------------------------------------------------------

struct NumberBox {
    QRect rect; // inclusive corners via QRect(QPoint, QPoint)
    QColor color;
    bool roundRight;
    const char* decoration;
    QPoint decorationAt; // the number's top-left pixel
    bool stacked;        // one digit under another
};

// The read-outs cover most of each box. The number stands in the strip a
// read-out leaves free at its box's left, one digit under another, so that it
// shows whole; the name read-out spans its whole box, so its number lies
// whole beneath it.
const NumberBox kBoxes[] = {
    {QRect(QPoint(672, 402), QPoint(727, 427)), kMauve, false, "047", QPoint(675, 404), true},
    {QRect(QPoint(732, 402), QPoint(791, 427)), kLilac, true, "318", QPoint(733, 404), true},
    {QRect(QPoint(672, 438), QPoint(727, 463)), kOrange, false, "592", QPoint(675, 440), true},
    {QRect(QPoint(732, 438), QPoint(791, 463)), kLilac, true, "226", QPoint(733, 440), true},
    {QRect(QPoint(672, 471), QPoint(727, 496)), kPink, false, "731", QPoint(675, 474), false},
};

QImage DrawSkin() {
    QImage image = Blank(797, 504);
    SmoothPainter p(&image);

    // The orange bar down the left of the VL field turning into the top bar.
    FillPath(p, Elbow(QRectF(QPointF(2, 4), QPointF(301, 392)), 12, 16, 28, 6), kOrange);
    Fill(p, 305, 4, 470, 19, kSand);
    FillPath(p, Capsule(475, 4, 619, 19, false, true), kPink);

    // The thin line over the tray, and the left bar continued beside the tray.
    Fill(p, 2, 392, 666, 395, kOrange);
    Fill(p, 2, 399, 13, 468, kLilac);
    QPainterPath foot;
    foot.moveTo(2, 472);
    foot.lineTo(14, 472);
    foot.lineTo(14, 503);
    foot.lineTo(12, 503);
    foot.arcTo(QRectF(2, 483, 20, 20), 270, -90);
    foot.closeSubpath();
    FillPath(p, foot, kOrange);

    // The band between the fields: narrow beside the TI field, full width below it.
    Fill(p, 626, 0, 633, 96, kOrange);
    Fill(p, 626, 100, 633, 173, kSand);
    Fill(p, 626, 176, 796, 185, kRed); // closes the TI field
    Fill(p, 624, 188, 666, 250, kOrange);
    Fill(p, 624, 254, 666, 330, kSand);
    Fill(p, 624, 334, 666, 391, kRed);
    Fill(p, 622, 399, 666, 440, kOrange);
    Fill(p, 622, 444, 666, 503, kSand);

    // Console furniture on the right, around the command keys.
    FillPath(p, Capsule(670, 188, 796, 197, false, true), kLilac);
    Fill(p, 670, 201, 700, 252, kPink);
    Fill(p, 704, 201, 796, 206, kSand);
    Fill(p, 672, 385, 791, 388, kOrange);
    p.end();
    DrawPixelText(image, 706, 212, "4710", kSand);
    DrawPixelText(image, 706, 222, "0382", kLilac);
    DrawPixelText(image, 740, 212, "93", kOrange);

    // The fields where the pictures go stay plain black.
    {
        QPainter q(&image);
        Fill(q, 16, 23, 623, 391, kBlack);
        Fill(q, 636, 0, 796, 173, kBlack);
        // Number boxes under the read-outs: exact colours, drawn without smoothing.
        for (const NumberBox& box : kBoxes) {
            if (box.roundRight) {
                q.setRenderHint(QPainter::Antialiasing, true);
                q.setPen(Qt::NoPen);
                q.setBrush(box.color);
                const QRect& r = box.rect;
                q.drawEllipse(QRectF(r.right() - 4, r.top(), 10, r.height()));
                q.setRenderHint(QPainter::Antialiasing, false);
            }
            q.fillRect(box.rect, box.color);
        }
    }
    for (const NumberBox& box : kBoxes) {
        const QPoint at = box.decorationAt;
        if (box.stacked)
            DrawPixelColumn(image, at.x(), at.y(), box.decoration, box.color.darker(150));
        else
            DrawPixelText(image, at.x(), at.y(), box.decoration, box.color.darker(150));
    }
    return image;
}

// ---- Command keys ---------------------------------------------------------

enum class Tone { Lilac, Pink, Orange };
enum class Ends { Left, Right, Both };

struct KeyFace {
    const char* word;
    Tone tone;
    bool pressed;
    Ends ends;
};

const std::map<int, KeyFace>& KeyFaces() {
    // Left column keys round off to the left, right column keys to the right.
    static const std::map<int, KeyFace> kFaces{
        {kResetFaces.normal, {"RESET", Tone::Pink, false, Ends::Left}},
        {kResetFaces.pressed, {"RESET", Tone::Pink, true, Ends::Left}},
        {kClearFaces.pressed, {"CLEAR", Tone::Pink, true, Ends::Left}},
        {kClearFaces.normal, {"CLEAR", Tone::Pink, false, Ends::Left}},
        {kDataFaces.normal, {"DATA", Tone::Orange, false, Ends::Both}},
        {kDataFaces.pressed, {"DATA", Tone::Orange, true, Ends::Both}},
        {kPasteFaces.normal, {"PASTE", Tone::Pink, false, Ends::Left}},
        {kCopyFaces.pressed, {"COPY", Tone::Pink, true, Ends::Left}},
        {kCopyFaces.normal, {"COPY", Tone::Pink, false, Ends::Left}},
        {kPasteFaces.pressed, {"PASTE", Tone::Pink, true, Ends::Left}},
        {kSaveFaces.pressed, {"SAVE", Tone::Lilac, true, Ends::Right}},
        {kSaveFaces.normal, {"SAVE", Tone::Lilac, false, Ends::Right}},
        {kOpenFaces.pressed, {"OPEN", Tone::Lilac, true, Ends::Right}},
        {kOpenFaces.normal, {"OPEN", Tone::Lilac, false, Ends::Right}},
        {kExitFaces.pressed, {"EXIT", Tone::Lilac, true, Ends::Right}},
        {kExitFaces.normal, {"EXIT", Tone::Lilac, false, Ends::Right}},
        {kSnapHighFaces.normal, {"HIGH", Tone::Lilac, false, Ends::Right}},
        {kSnapLowFaces.pressed, {"LOW", Tone::Lilac, true, Ends::Right}},
        {kSnapLowFaces.normal, {"LOW", Tone::Lilac, false, Ends::Right}},
        {kSnapOffFaces.pressed, {"OFF", Tone::Lilac, true, Ends::Right}},
        {kSnapOffFaces.normal, {"OFF", Tone::Lilac, false, Ends::Right}},
        {kSnapHighFaces.pressed, {"HIGH", Tone::Lilac, true, Ends::Right}},
    };
    return kFaces;
}

QColor KeyColor(Tone tone, bool pressed) {
    switch (tone) {
    case Tone::Lilac:
        return pressed ? kLilacDark : kLilac;
    case Tone::Pink:
        return pressed ? kPinkDark : kPink;
    case Tone::Orange:
        return pressed ? kOrangeDark : kOrange;
    }
    return kLilac;
}

QImage DrawKey(const KeyFace& face) {
    QImage image = Blank(64, 29);
    SmoothPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    const bool left = face.ends != Ends::Right;
    const bool right = face.ends != Ends::Left;
    FillPath(p, Capsule(1, 1, 62, 27, left, right), KeyColor(face.tone, face.pressed));
    // A black notch splits a strip off the flat end, as console keys have.
    if (!left)
        Fill(p, 7, 1, 8, 27, kBlack);
    if (!right)
        Fill(p, 55, 1, 56, 27, kBlack);
    const QRect textBox(left ? 13 : 10, 2, 41, 25);
    // The largest size up to 17 pixels at which the word fits between the ends.
    int size = 17;
    while (size > 10 &&
           QFontMetrics(ConsoleFont(size)).horizontalAdvance(face.word) > textBox.width())
        --size;
    Word(p, textBox, face.word, size, face.pressed ? kInkLight : kInkDark);
    return image;
}

QImage DrawStickyPlate() {
    QImage image = Blank(58, 30);
    SmoothPainter p(&image);
    FillRoundedRect(p, QRectF(1, 1, 56, 28), 6, kOrange);
    Word(p, QRect(1, 1, 56, 28), QStringLiteral("'STICKY'"), 16, kInkDark);
    return image;
}

// ---- Markers --------------------------------------------------------------

QImage DrawSquareMarker(const QString& label, int digit, const QColor& fill) {
    QImage image = DrawPlate(32, 32, 5, fill);
    SmoothPainter p(&image);
    Word(p, QRect(0, 1, 32, 14), label, 12, kInkDark);
    Word(p, QRect(0, 13, 32, 19), QString::number(digit), 17, kInkDark);
    return image;
}

QImage DrawPlateMarker(const QString& letter, int number, const QColor& fill) {
    QImage image = DrawPlate(42, 32, 5, fill);
    SmoothPainter p(&image);
    Word(p, QRect(1, 0, 13, 32), letter, 19, kInkDark);
    Fill(p, 14, 5, 15, 26, kInkDark);
    Word(p, QRect(16, 0, 26, 32), QString::number(number), 19, kInkDark);
    return image;
}

// The 20 x 20 tiles are shown cut to their top 16 rows, so their marks stay there.
QImage DrawTile(const QColor& fill) {
    return DrawPlate(20, 20, 3, fill);
}

QImage DrawNumberTile(int number, QChar letter, const QColor& fill) {
    QImage image = DrawTile(fill);
    const QString digits = QString::number(number);
    DrawPixelText(image, (20 - PixelTextWidth(digits)) / 2, 1, digits, kInkDark);
    DrawPixelText(image, (20 - kPixelGlyphWidth) / 2, 9, QString(letter), kInkDark);
    return image;
}

QImage DrawWarpTile() {
    QImage image = DrawTile(kLilac);
    SmoothPainter p(&image);
    p.setPen(QPen(kInkDark, 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.drawPolyline(QPolygonF({QPointF(4.5, 8), QPointF(10, 2.5), QPointF(15.5, 8)}));
    p.drawPolyline(QPolygonF({QPointF(4.5, 14), QPointF(10, 8.5), QPointF(15.5, 14)}));
    return image;
}

QImage DrawImpulseTile() {
    QImage image = DrawTile(kLilac);
    SmoothPainter p(&image);
    p.setPen(Qt::NoPen);
    p.setBrush(kInkDark);
    const QPointF centre(10, 8);
    p.drawEllipse(centre, 6.5, 6.5);
    p.setBrush(kLilac);
    for (int k = 0; k < 3; ++k) {
        const double angle = (-90.0 + 120.0 * k) * M_PI / 180.0;
        p.drawEllipse(centre + QPointF(3.2 * std::cos(angle), 3.2 * std::sin(angle)), 2.0, 2.0);
    }
    p.drawEllipse(centre, 1.0, 1.0);
    return image;
}

QImage DrawThrusterTile() {
    QImage image = DrawTile(kLilac);
    SmoothPainter p(&image);
    p.setPen(QPen(kInkDark, 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(10, 8), 6, 6);
    p.drawLine(QPointF(5.8, 3.8), QPointF(14.2, 12.2));
    p.drawLine(QPointF(14.2, 3.8), QPointF(5.8, 12.2));
    return image;
}

// The markers' faces, hardpoint by hardpoint.
constexpr int kFirstMarkerId = kFirstMarkerImage;
constexpr int kLastMarkerId = kFirstMarkerImage + kHardpointCount - 1;

QImage DrawMarker(int id) {
    const int i = id - kFirstMarkerId;
    if (i < 3)
        return DrawSquareMarker(QStringLiteral("PWR"), i + 1, kOlive);
    if (i < 6)
        return DrawSquareMarker(QStringLiteral("BRDG"), i - 2, kOrange);
    if (i < 9)
        return DrawSquareMarker(QStringLiteral("HULL"), i - 5, kLilac);
    if (i < 20)
        return DrawPlateMarker(QStringLiteral("P"), i - 8, kLilac);
    if (i < 31)
        return DrawPlateMarker(QStringLiteral("H"), i - 8, kRed);
    if (i == 31)
        return DrawWarpTile();
    if (i == 32)
        return DrawImpulseTile();
    if (i == 33)
        return DrawThrusterTile();
    if (i < 45)
        return DrawNumberTile(i - 33, QLatin1Char('P'), kOrange);
    return DrawNumberTile(i - 33, QLatin1Char('H'), kOlive);
}

// ---- Support dialog frame -------------------------------------------------

QImage DrawFrameUpright() {
    QImage image = Blank(25, 235);
    SmoothPainter p(&image);
    QPainterPath bar;
    bar.moveTo(0, 235);
    bar.lineTo(0, 18);
    bar.arcTo(QRectF(0, 0, 36, 36), 180, -90);
    bar.lineTo(25, 0);
    bar.lineTo(25, 235);
    bar.closeSubpath();
    FillPath(p, bar, kFrameOrange);
    return image;
}

QImage DrawFrameTop() {
    QImage image = Blank(265, 23);
    SmoothPainter p(&image);
    FillPath(p, Capsule(9, 0, 130, 22, true, false), kFrameOrange);
    Fill(p, 136, 0, 207, 22, QColor(0xDE, 0xB5, 0x63));
    Fill(p, 213, 0, 264, 22, QColor(0xD6, 0xA5, 0xB5));
    return image;
}

// ---- Pictures by number ----------------------------------------------------

using Drawer = QImage (*)();

// The pictures that stand alone, each under its own number.
const std::map<int, Drawer>& SinglePictures() {
    static const std::map<int, Drawer> kPictures{{kSkinBitmap, DrawSkin},
                                                 {kFrameBarBitmap, DrawFrameUpright},
                                                 {kFrameCrossbarBitmap, DrawFrameTop},
                                                 {kStickyPlateBitmap, DrawStickyPlate}};
    return kPictures;
}

// ---- Contact sheet -------------------------------------------------------

// A picture on the contact sheet and the label set beneath it.
struct SheetCell {
    QImage image;
    QString label;
};

// Every bitmap but the skin at twice its size, then the icon in all its sizes.
std::vector<SheetCell> SheetCells() {
    std::vector<SheetCell> cells;
    for (int id : BitmapIds())
        if (id != kSkinBitmap)
            cells.push_back(
                {DrawBitmap(id).scaled(DrawBitmap(id).size() * 2), QString::number(id)});
    for (int size : DesktopIconSizes())
        cells.push_back({DrawIcon(size), QStringLiteral("%1@%2").arg(kMainIcon).arg(size)});
    return cells;
}

} // namespace

QFont ConsoleFont(int pixelSize) {
    static const bool loaded = QFontDatabase::addApplicationFont(kFontFile) >= 0;
    (void)loaded;
    QFont font(QStringLiteral("Liberation Sans Narrow"));
    font.setBold(true);
    font.setPixelSize(pixelSize);
    font.setStyleStrategy(QFont::PreferAntialias);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

const std::vector<int>& BitmapIds() {
    static const std::vector<int> kIds = [] {
        std::vector<int> ids;
        for (const auto& [id, draw] : SinglePictures())
            ids.push_back(id);
        for (int id = kFirstMarkerId; id <= kLastMarkerId; ++id)
            ids.push_back(id);
        for (const auto& [id, face] : KeyFaces())
            ids.push_back(id);
        std::sort(ids.begin(), ids.end());
        return ids;
    }();
    return kIds;
}

QImage DrawBitmap(int id) {
    if (id >= kFirstMarkerId && id <= kLastMarkerId)
        return DrawMarker(id);
    const auto& singles = SinglePictures();
    if (const auto it = singles.find(id); it != singles.end())
        return it->second();
    const auto& faces = KeyFaces();
    if (const auto it = faces.find(id); it != faces.end())
        return DrawKey(it->second);
    return {};
}

const std::vector<int>& IconSizes() {
    static const std::vector<int> kSizes{16, 32, 48};
    return kSizes;
}

const std::vector<int>& DesktopIconSizes() {
    static const std::vector<int> kSizes{16, 32, 48, 64, 128, 256};
    return kSizes;
}

QImage DrawIcon(int size) {
    // The design lies on the 32 px icon's grid. At every size each straight
    // edge is put on a pixel boundary (halves rounded towards the middle, so
    // the 16 px icon stays symmetric) instead of scaling one drawing, which
    // would blur the edges of every other size.
    const qreal unit = size / 32.0;
    auto px = [unit](qreal v) {
        const qreal scaled = v * unit;
        return v <= 16 ? std::floor(scaled + 0.5) : std::ceil(scaled - 0.5);
    };
    auto box = [&px](qreal l, qreal t, qreal r, qreal b) {
        return QRectF(QPointF(px(l), px(t)), QPointF(px(r), px(b)));
    };
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    SmoothPainter p(&image);
    FillRoundedRect(p, box(1, 1, 31, 31), 5 * unit, kBlack);
    // An orange elbow framing a lilac marker on its mount point.
    const QRectF elbow = box(3, 3, 29, 29);
    FillPath(p, Elbow(elbow, px(8) - elbow.left(), px(8) - elbow.top(), 13 * unit, 4 * unit),
             kOrange);
    FillRoundedRect(p, box(14, 14, 28, 28), 3 * unit, kLilac);
    p.fillRect(box(20, 16, 22, 26), kInkDark);
    p.fillRect(box(16, 20, 26, 22), kInkDark);
    return image;
}

QImage DrawContactSheet() {
    constexpr int kWidth = 1100;
    constexpr int kMargin = 16;
    constexpr int kLabel = 16;
    const std::vector<SheetCell> cells = SheetCells();
    const QImage skin = DrawBitmap(kSkinBitmap);
    // Lay the cells out in rows first, to know how tall the sheet is. A cell is
    // at least 40 pixels wide, so that its label has room.
    struct Placed {
        QRect box;
        const SheetCell* cell;
    };
    std::vector<Placed> placed;
    int x = kMargin;
    int y = kMargin + skin.height() + kLabel + kMargin;
    int rowHeight = 0;
    for (const SheetCell& cell : cells) {
        const int w = std::max(cell.image.width(), 40);
        if (x + w > kWidth - kMargin) {
            x = kMargin;
            y += rowHeight + kLabel + 10;
            rowHeight = 0;
        }
        placed.push_back({QRect(x, y, w, cell.image.height()), &cell});
        x += w + 12;
        rowHeight = std::max(rowHeight, cell.image.height());
    }
    const int height = y + rowHeight + kLabel + kMargin;

    QImage sheet(kWidth, height, QImage::Format_RGB32);
    sheet.fill(QColor(40, 40, 52));
    QPainter p(&sheet);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setFont(ConsoleFont(13));
    p.setPen(kLilac);
    p.drawImage(kMargin, kMargin, skin);
    p.drawText(QRect(kMargin, kMargin + skin.height(), 400, kLabel),
               Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("131 skin (797 x 504)"));
    for (const Placed& pl : placed) {
        p.drawImage(pl.box.topLeft(), pl.cell->image);
        p.drawText(QRect(pl.box.left(), pl.box.bottom() + 1, pl.box.width(), kLabel),
                   Qt::AlignLeft | Qt::AlignVCenter, pl.cell->label);
    }
    return sheet;
}

} // namespace pelto5::art
