#include "CoordinatesDlg.h"

#include "PictureLayout.h"
#include "SpokenStatus.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdint>
#include <limits>

namespace pelto5 {

namespace {

// The widest point a line can name.
const QString kWidestPoint = QStringLiteral("-2147483648, -2147483648");

// The file values whose marker, size long, stands within the 32-bit range
// of client pixels when placed offset further on.
struct Range {
    int64_t low, high;
    bool Holds(int64_t v) const { return v >= low && v <= high; }
};
Range FileRange(int32_t offset, int32_t size) {
    constexpr int64_t lo = std::numeric_limits<int32_t>::min();
    constexpr int64_t hi = std::numeric_limits<int32_t>::max();
    return {std::max(lo, lo - offset), std::min(hi, hi - size - offset)};
}

} // namespace

CoordinatesDlg::CoordinatesDlg(const QString& prefill, const QString& hint, Reader read, Action act,
                               QWidget* parent)
    : PointerPopup(parent), m_read(std::move(read)), m_act(std::move(act)) {
    setAccessibleName(tr("Place at coordinates"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    layout->setSpacing(2);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    m_line = new QLineEdit(prefill, this);
    m_line->setAccessibleName(tr("x, y"));
    m_line->selectAll();
    // Room for the widest point: the text, the frame on both sides and the
    // line's own margins of two pixels a side.
    const int frame = m_line->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, m_line);
    m_line->setMinimumWidth(QFontMetrics(font()).horizontalAdvance(kWidestPoint) + 2 * (frame + 2) +
                            2);
    layout->addWidget(m_line);

    m_note = new QLabel(hint, this);
    m_note->setTextFormat(Qt::PlainText);
    layout->addWidget(m_note);

    connect(m_line, &QLineEdit::returnPressed, this, &CoordinatesDlg::Enter);
    m_line->setFocus(Qt::PopupFocusReason);
}

CoordinatesDlg::Reading CoordinatesDlg::ReadFilePoint(const QString& line,
                                                      const PictureLayout& picture,
                                                      const QSize& markerSize) {
    Reading reading = ReadTwoNumbers(line, tr("Type two whole numbers: x, y"));
    if (reading.point && !Holds(picture, markerSize, reading.point->x, reading.point->y))
        return {std::nullopt, Beyond()};
    return reading;
}

CoordinatesDlg::Reading CoordinatesDlg::ReadOffset(const QString& line,
                                                   const std::vector<Standing>& markers) {
    Reading reading = ReadTwoNumbers(line, tr("Type two whole numbers: dx, dy"));
    if (!reading.point)
        return reading;
    const Point by = *reading.point;
    for (const Standing& marker : markers)
        if (!Holds(*marker.picture, marker.size, int64_t{marker.file.x} + by.x,
                   int64_t{marker.file.y} + by.y))
            return {std::nullopt, Beyond()};
    return reading;
}

CoordinatesDlg::Reading CoordinatesDlg::ReadTwoNumbers(const QString& line,
                                                       const QString& shapeRefusal) {
    static const QRegularExpression twoWholeNumbers(
        QStringLiteral(R"(^\s*(-?\d+)\s*(?:,\s*|\s+)(-?\d+)\s*$)"));
    const QRegularExpressionMatch match = twoWholeNumbers.match(line);
    if (!match.hasMatch())
        return {std::nullopt, shapeRefusal};
    bool xRead = false, yRead = false;
    const qint64 x = match.captured(1).toLongLong(&xRead);
    const qint64 y = match.captured(2).toLongLong(&yRead);
    constexpr Range k32Bits{std::numeric_limits<int32_t>::min(),
                            std::numeric_limits<int32_t>::max()};
    if (!xRead || !yRead || !k32Bits.Holds(x) || !k32Bits.Holds(y))
        return {std::nullopt, Beyond()};
    return {Point{static_cast<int32_t>(x), static_cast<int32_t>(y)}, QString()};
}

bool CoordinatesDlg::Holds(const PictureLayout& picture, const QSize& markerSize, int64_t x,
                           int64_t y) {
    const Point offset = picture.MarkerOffset();
    return FileRange(offset.x, markerSize.width()).Holds(x) &&
           FileRange(offset.y, markerSize.height()).Holds(y);
}

QString CoordinatesDlg::Beyond() {
    return tr("Beyond what a ship file holds");
}

void CoordinatesDlg::Enter() {
    const Reading reading = m_read(m_line->text());
    if (!reading.point) {
        // A longer line widens the popup; it stays wholly on its screen.
        m_note->setText(reading.refusal);
        SpokenStatus::Announce(tr("Not placed: %1").arg(reading.refusal));
        PlaceAt(pos(), screen()->availableGeometry());
        return;
    }
    accept();
    m_act(*reading.point);
}

} // namespace pelto5
