#include "HyperLink.h"

#include "AccessibleInterface.h"
#include "DialogKeys.h"
#include "FocusCue.h"
#include "KeyboardCues.h"
#include "OpenErrorMessage.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace pelto5 {

namespace {

ColorRef SystemHighlight() {
    return FromQColor(QApplication::palette().color(QPalette::Highlight));
}

// What a screen reader hears of the link: a link, named by its text unless
// given another name, that its press action opens.
class HyperLinkAccessible : public QAccessibleWidget {
public:
    explicit HyperLinkAccessible(HyperLink* link) : QAccessibleWidget(link, QAccessible::Link) {}

    QString text(QAccessible::Text t) const override {
        const QString text = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && text.isEmpty())
            return Link()->text();
        return text;
    }
    QStringList actionNames() const override {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& name) override {
        if (name == pressAction())
            Link()->Open();
        else
            QAccessibleWidget::doAction(name);
    }

private:
    HyperLink* Link() const { return static_cast<HyperLink*>(object()); }
};

} // namespace

HyperLink::HyperLink(QWidget* parent, int id, int style, const QString& text)
    : QLabel(text, parent), m_clrHover(SystemHighlight()), m_nId(id), m_nStyle(style),
      m_pSystem(nullptr) {
    UseAccessibleInterface<HyperLink, HyperLinkAccessible>();
    // A static control without the notify style lets the mouse through.
    setAttribute(Qt::WA_TransparentForMouseEvents, true);
}

HyperLink::~HyperLink() {
    if (m_bHovering)
        releaseMouse();
}

void HyperLink::Bind() {
    m_nStyle |= SS_NOTIFY;
    setAttribute(Qt::WA_TransparentForMouseEvents, false);
    // Without tracking only moves with a button held would arrive.
    setMouseTracking(true);
    if (m_strTarget.isEmpty())
        m_strTarget = text();
    if (text().isEmpty())
        setText(m_strTarget);
    Q_ASSERT(!m_strTarget.isEmpty());
    QFont linkFont = font();
    linkFont.setUnderline(m_bUnderlined);
    setFont(linkFont);
    m_bBound = true;
    FitToText();
    LoadHandCursor();
    ApplyCursor();
    setToolTip(m_strTarget);
    // Tab reaches the link; a click opens it without taking the focus, so the
    // dialog's own keys stay where they were.
    setFocusPolicy(Qt::TabFocus);
}

void HyperLink::SetTarget(const QString& target) {
    m_strTarget = target;
    if (m_bBound) {
        FitToText();
        setToolTip(m_strTarget);
    }
}

void HyperLink::SetColors(ColorRef link, ColorRef visited, ColorRef hover) {
    m_clrLink = link;
    m_clrVisited = visited;
    m_clrHover = hover == 0xFFFFFFFF ? SystemHighlight() : hover;
    if (m_bBound)
        update();
}

void HyperLink::MarkVisited(bool visited) {
    m_bVisited = visited;
    if (m_bBound)
        update();
}

void HyperLink::SetHoverCursor(std::optional<QCursor> cursor) {
    m_hoverCursor = std::move(cursor);
    if (!m_hoverCursor)
        LoadHandCursor();
    ApplyCursor();
}

void HyperLink::SetUnderlined(bool underlined) {
    m_bUnderlined = underlined;
    if (m_bBound) {
        QFont linkFont = font();
        linkFont.setUnderline(m_bUnderlined);
        setFont(linkFont);
        update();
    }
}

void HyperLink::SetFitToText(bool fit) {
    m_bFitToText = fit;
    FitToText();
}

ColorRef HyperLink::OwnTextColor() const {
    if (m_bHovering)
        return m_clrHover;
    return m_bVisited ? m_clrVisited : m_clrLink;
}

void HyperLink::FitToText() {
    if (!m_bBound || !m_bFitToText)
        return;
    const QRect r = geometry();
    int left = r.x(), top = r.y();
    int right = left + r.width(), bottom = top + r.height();
    const QFontMetrics metrics(font());
    const int cx = metrics.horizontalAdvance(text());
    const int cy = metrics.height();
    // d may be negative: a text larger than the control grows it around its centre.
    if (m_nStyle & SS_CENTERIMAGE) {
        const int d = (r.height() - cy) / 2;
        top += d;
        bottom -= d;
    } else {
        bottom = top + cy;
    }
    if (m_nStyle & SS_CENTER) {
        const int d = (r.width() - cx) / 2;
        left += d;
        right -= d;
    } else if (m_nStyle & SS_RIGHT) {
        left = right - cx;
    } else {
        right = left + cx;
    }
    setGeometry(left, top, right - left, bottom - top);
}

void HyperLink::LoadHandCursor() {
    if (!m_hoverCursor)
        m_hoverCursor = QCursor(Qt::PointingHandCursor);
}

void HyperLink::ApplyCursor() {
    if (m_hoverCursor)
        setCursor(*m_hoverCursor);
    else
        unsetCursor();
}

void HyperLink::Redraw() {
    repaint();
}

void HyperLink::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!hasFocus() || !KeyboardCuesShown(this)) {
        PaintText(painter);
        return;
    }
    // The focus cue is set off what the text leaves under each of its dots,
    // so the text is drawn first into a picture that the cue can read.
    const qreal ratio = devicePixelRatioF();
    QImage shown(size() * ratio, QImage::Format_ARGB32_Premultiplied);
    shown.setDevicePixelRatio(ratio);
    shown.fill(Qt::transparent);
    {
        QPainter picture(&shown);
        PaintText(picture);
    }
    painter.drawImage(QPoint(0, 0), shown);
    const QRgb bare = palette().color(QPalette::Window).rgb();
    DrawFocusCue(painter, rect(), [&shown, ratio, bare](const QPoint& p) {
        const QRgb pixel = shown.pixel((QPointF(p) * ratio).toPoint());
        return qAlpha(pixel) == 255 ? pixel : bare;
    });
}

void HyperLink::PaintText(QPainter& painter) {
    painter.setFont(font());
    int flags = Qt::TextSingleLine;
    flags |= (m_nStyle & SS_CENTER) ? Qt::AlignHCenter
                                    : ((m_nStyle & SS_RIGHT) ? Qt::AlignRight : Qt::AlignLeft);
    flags |= (m_nStyle & SS_CENTERIMAGE) ? Qt::AlignVCenter : Qt::AlignTop;
    const QRect box = painter.boundingRect(rect(), flags, text());

    const auto* answer = dynamic_cast<const ControlColorAnswer*>(parentWidget());
    const std::optional<ControlColors> colors = answer ? answer->CtlColor(m_nId) : std::nullopt;
    if (colors) {
        // The parent's colours, drawn opaque: its brush fills the control, the
        // text stands on its own background.
        painter.fillRect(rect(), ToQColor(colors->brush));
        painter.fillRect(box, ToQColor(colors->textBack));
        painter.setPen(ToQColor(colors->text));
    } else {
        // Transparent: the parent's background shows through.
        painter.setPen(ToQColor(OwnTextColor()));
    }
    painter.drawText(rect(), flags, text());
}

void HyperLink::mouseMoveEvent(QMouseEvent* event) {
    QLabel::mouseMoveEvent(event);
    if (!m_bHovering) {
        // Without the grab only moves over the control arrive, so this is the entry.
        m_bHovering = true;
        Redraw();
        grabMouse();
    } else if (!rect().contains(event->position().toPoint())) {
        EndHover();
    }
}

void HyperLink::EndHover() {
    if (!m_bHovering)
        return;
    m_bHovering = false;
    releaseMouse();
    Redraw();
}

void HyperLink::mousePressEvent(QMouseEvent* event) {
    m_bPressed = event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    event->accept();
}

void HyperLink::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = m_bPressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    m_bPressed = false;
    event->accept();
    if (click)
        Open();
}

void HyperLink::keyPressEvent(QKeyEvent* event) {
    if (m_bBound && (IsDialogOkKey(event) ||
                     (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier))) {
        event->accept();
        Open();
        return;
    }
    QLabel::keyPressEvent(event);
}

void HyperLink::Open() {
    UrlSystem& system = m_pSystem ? *m_pSystem : DefaultUrlSystem();
    const int result = OpenUrl(system, m_strTarget.toStdString(), kSwShow);
    m_bVisited = result > 32;
    if (m_bVisited) {
        MarkVisited(true);
    } else {
        // The message box must get the mouse: the hover's grab ends first. The
        // cleared flag shows at the next repaint, not now.
        EndHover();
        QApplication::beep();
        ShowOpenError(result);
    }
}

} // namespace pelto5
