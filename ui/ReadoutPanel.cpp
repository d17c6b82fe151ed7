#include "ReadoutPanel.h"

#include "DialogFont.h"
#include "DialogUnits.h"
#include "PictureLayout.h"
#include "ResourceIds.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>

namespace pelto5 {

namespace {

// Each read-out: its id, its template rectangle in dialog units, the colour
// of the box under it, whether it scrolls to show its text's end (the name
// shows from its first letter instead), whether it sends the focus on, and
// what it tells screen readers.
struct Readout {
    int id;
    QRect du;
    ColorRef back;
    bool autoScroll;
    bool givesFocusAway;
    const char* name;
};
constexpr Readout kReadouts[] = {
    {kWinXId,
     {455, 248, 28, 15},
     kMauve,
     true,
     true,
     QT_TRANSLATE_NOOP("ReadoutPanel", "Pointer x in the window")},
    {kWinYId,
     {492, 248, 29, 15},
     kLilac,
     true,
     true,
     QT_TRANSLATE_NOOP("ReadoutPanel", "Pointer y in the window")},
    {kPicXId,
     {455, 270, 28, 14},
     kOrange,
     true,
     true,
     QT_TRANSLATE_NOOP("ReadoutPanel", "Pointer x on the picture")},
    {kPicYId,
     {492, 270, 29, 14},
     kLilac,
     true,
     true,
     QT_TRANSLATE_NOOP("ReadoutPanel", "Pointer y on the picture")},
    {kNameId,
     {448, 290, 37, 14},
     kPink,
     false,
     false,
     QT_TRANSLATE_NOOP("ReadoutPanel", "Hardpoint name")},
};

QLineEdit* MakeReadout(QWidget* window, const Readout& r, const QFont& font) {
    auto* edit = new QLineEdit(window);
    edit->setGeometry(DialogUnitsRect(r.du.x(), r.du.y(), r.du.width(), r.du.height()));
    edit->setReadOnly(true);
    edit->setFrame(false);
    edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    edit->setTextMargins(0, 0, 0, 0);
    edit->setContentsMargins(0, 0, 0, 0);
    // The read-outs take no tab stop; a click still gives them the focus.
    edit->setFocusPolicy(Qt::ClickFocus);
    // A right-click on a read-out does nothing, not even the window menu.
    edit->setContextMenuPolicy(Qt::PreventContextMenu);
    // A ship file dropped onto a read-out is the window's.
    edit->setAcceptDrops(false);
    edit->setProperty("controlId", r.id);
    edit->setAccessibleName(QCoreApplication::translate("ReadoutPanel", r.name));
    edit->setFont(font);
    // A frameless edit fills its whole cell with Base itself. No automatic
    // background: a child marked opaque cuts the window's skin copy into
    // many slow pieces.
    QPalette pal = edit->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        pal.setColor(group, QPalette::Base, ToQColor(r.back));
        pal.setColor(group, QPalette::Window, ToQColor(r.back));
        pal.setColor(group, QPalette::Text, ToQColor(kReadoutText));
        pal.setColor(group, QPalette::WindowText, ToQColor(kReadoutText));
    }
    edit->setPalette(pal);
    return edit;
}

} // namespace

ReadoutPanel::ReadoutPanel(QWidget* window, std::function<void(int id)> onFocus)
    : QObject(window), m_fontCoord(ReadoutFont()), m_onFocus(std::move(onFocus)) {
    for (size_t k = 0; k < m_edits.size(); ++k) {
        m_edits[k] = MakeReadout(window, kReadouts[k], m_fontCoord);
        if (kReadouts[k].givesFocusAway)
            m_edits[k]->installEventFilter(this);
    }
    m_edits.back()->setAccessibleDescription(
        QCoreApplication::translate("ReadoutPanel", "The carried hardpoint, in capitals"));
}

std::optional<ControlColors> ReadoutPanel::CtlColor(int id) const {
    // The text cells are filled with the brush's own colour, so each box is one colour.
    for (const Readout& r : kReadouts)
        if (r.id == id)
            return ControlColors{kReadoutText, r.back, r.back};
    return std::nullopt;
}

void ReadoutPanel::ShowPoint(const QPoint& point) {
    m_strWinX = QString::number(point.x());
    m_strWinY = QString::number(point.y());
    const Point pic = ReadoutPictureAt(point.x()).Readout({point.x(), point.y()});
    m_strPicX = QString::number(pic.x);
    m_strPicY = QString::number(pic.y);
    PushReadouts();
}

void ReadoutPanel::ShowName(const QString& name) {
    m_strName = name;
    PushReadouts();
}

void ReadoutPanel::PushReadouts() {
    const QString* strings[] = {&m_strWinX, &m_strWinY, &m_strPicX, &m_strPicY, &m_strName};
    for (size_t k = 0; k < m_edits.size(); ++k)
        if (m_edits[k]->text() != *strings[k]) { // an unchanged read-out need not repaint
            m_edits[k]->setText(*strings[k]);
            if (!kReadouts[k].autoScroll)
                m_edits[k]->setCursorPosition(0);
        }
}

void ReadoutPanel::PullReadouts() {
    QString* strings[] = {&m_strWinX, &m_strWinY, &m_strPicX, &m_strPicY, &m_strName};
    for (size_t k = 0; k < m_edits.size(); ++k)
        *strings[k] = m_edits[k]->text();
}

bool ReadoutPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn && m_onFocus)
        m_onFocus(watched->property("controlId").toInt());
    return QObject::eventFilter(watched, event);
}

} // namespace pelto5
