#include "Pelto5Dlg.h"

#include "AboutDlg.h"
#include "DialogFont.h"
#include "DialogKeys.h"
#include "DialogUnits.h"
#include "FailureMessage.h"
#include "Resources.h"
#include "WindowPlacement.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

#include <cstdlib>

namespace pelto5 {

namespace {

constexpr int kSkinId = 131;
constexpr int kLabelPlateId = 288;
constexpr unsigned kAboutCommand = 0x0010;
constexpr unsigned kMinimizeCommand = 0xF020;
constexpr unsigned kCloseCommand = 0xF060;

// Read-out edits and their template rectangles, in dialog units. An edit
// without auto-scroll shows its text from the first letter and cuts it at the right.
struct ReadoutSpec {
    int id;
    QRect du;
    bool autoScroll;
};
constexpr ReadoutSpec kReadouts[] = {
    {1008, {455, 248, 28, 15}, true},  {1009, {492, 248, 29, 15}, true},
    {1010, {455, 270, 28, 14}, true},  {1011, {492, 270, 29, 14}, true},
    {1012, {448, 290, 37, 14}, false},
};

QRect FromDialogUnits(const QRect& du) {
    return DialogUnitsRect(du.x(), du.y(), du.width(), du.height());
}

Rect ToRect(const QRect& r) {
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

void DefaultMessage(QWidget* parent, const QString& text) {
    MakeFailureBox(parent, text)->exec();
}

QString DefaultOpenPrompt(QWidget* parent, const QString& initial) {
    // Qt's own dialog: a desktop's dialog would keep a list of recent files.
    QFileDialog dialog(parent, QString(), initial, QStringLiteral("Ship Files (*.gf)"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile); // a name that does not exist yet is accepted
    dialog.setDefaultSuffix(QStringLiteral("gf"));
    if (!initial.isEmpty())
        dialog.selectFile(initial);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    // The dialog reads double quotes as a list of names; a typed name with
    // one is taken as it stands, and only when that file exists.
    const auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    const QString typed = edit ? edit->text() : QString();
    if (!typed.contains(QLatin1Char('"')))
        return dialog.selectedFiles().size() == 1 ? dialog.selectedFiles().first() : QString();
    const QString named = dialog.directory().absoluteFilePath(typed);
    if (!QFileInfo::exists(named)) {
        DefaultMessage(parent, QStringLiteral("Could not open %1: there is no such ship file, and "
                                              "a new ship's name cannot hold a double quote (\").")
                                   .arg(named));
        return {};
    }
    return named;
}

int DefaultQuestion(QWidget* parent, const QString& text, const QStringList& answers) {
    QMessageBox box(QMessageBox::Question, QApplication::applicationDisplayName(), text,
                    QMessageBox::NoButton, parent);
    QList<QAbstractButton*> buttons;
    for (qsizetype k = 0; k < answers.size(); ++k) {
        const bool last = k + 1 == answers.size();
        buttons << box.addButton(answers[k], k == 0 ? QMessageBox::AcceptRole
                                             : last ? QMessageBox::RejectRole
                                                    : QMessageBox::DestructiveRole);
    }
    box.setDefaultButton(qobject_cast<QPushButton*>(buttons.first()));
    box.setEscapeButton(buttons.last());
    box.exec();
    const qsizetype chosen = buttons.indexOf(box.clickedButton());
    return static_cast<int>(chosen < 0 ? answers.size() - 1 : chosen);
}

} // namespace

Pelto5Dlg::Pelto5Dlg(FileSystem& fs, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::FramelessWindowHint), m_fs(fs), m_model(*this, fs),
      m_openPrompt(DefaultOpenPrompt), m_showMessage(DefaultMessage),
      m_askQuestion(DefaultQuestion), m_exitProcess([] { std::exit(0); }) {
    const QRect client = DialogUnitsRect(0, 0, 539, 311);
    setFixedSize(client.size());
    setMouseTracking(true);
    // The skin covers the window, so a background fill before it is wasted.
    setAttribute(Qt::WA_OpaquePaintEvent);

    CreateTemplateControls();
    m_nSnap = 1;
    setWindowTitle(QStringLiteral("Vorsanth's Tolmar Util"));
    CreateCommandButtons();
    CreateMarkerButtons();
    StackControls();
    CreateKeys();
    CreateReadoutFont();
    setWindowIcon(ResourceIcon(128));
    m_nDragState = kIdle;
    m_clrMauve = kMauve;
    m_clrLilac = kLilac;
    m_clrOrange = kOrange;
    m_clrPink = kPink;
    m_clrText = kReadoutText;
    ApplyControlColours();
    PullReadouts();
    m_skin = ResourceBitmap(kSkinId);
    NameControls();
    OrderTabStops();

    // A ship file dropped anywhere on the window is the window's: the
    // read-only read-outs take no drops of their own.
    setAcceptDrops(true);
    for (QLineEdit* edit : m_edits)
        edit->setAcceptDrops(false);

    const QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen)
        move(PlacedTopLeft(size(), screen->availableGeometry()));
}

Pelto5Dlg::~Pelto5Dlg() = default;

void Pelto5Dlg::CreateTemplateControls() {
    auto makeStatic = [this](int id, const QRect& du) {
        auto* label = new QLabel(this);
        label->setGeometry(FromDialogUnits(du));
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        if (id > 0) {
            label->setProperty("controlId", id);
            m_controls[id] = label;
        }
        return label;
    };
    m_stcVL = makeStatic(kVlPictureId, {15, 15, 15, 13});
    m_stcTI = makeStatic(kTiPictureId, {430, 5, 15, 13});

    QLabel* plate = makeStatic(-1, {448, 215, 39, 18});
    const QPixmap plateImage = QPixmap::fromImage(ResourceBitmap(kLabelPlateId));
    plate->setPixmap(plateImage);
    plate->setAccessibleName(QStringLiteral("STICKY"));
    if (!plateImage.isNull())
        plate->resize(plateImage.size());

    for (size_t k = 0; k < std::size(kReadouts); ++k) {
        auto* edit = new QLineEdit(this);
        edit->setGeometry(FromDialogUnits(kReadouts[k].du));
        edit->setReadOnly(true);
        edit->setFrame(false);
        edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        edit->setTextMargins(0, 0, 0, 0);
        edit->setContentsMargins(0, 0, 0, 0);
        // The read-outs take no tab stop; a click still gives them the focus.
        edit->setFocusPolicy(Qt::ClickFocus);
        // A right-click on a read-out does nothing, not even the window menu.
        edit->setContextMenuPolicy(Qt::PreventContextMenu);
        edit->setProperty("controlId", kReadouts[k].id);
        edit->installEventFilter(this);
        m_controls[kReadouts[k].id] = edit;
        m_edits[k] = edit;
    }

    m_stcRef = makeStatic(kReferenceId, {0, 0, 795, 24});
    m_stcRef->hide();
}

BitmapButton* Pelto5Dlg::AddCommandButton(BitmapButton*& member, int id, const char* caption,
                                          const QRect& rc, int normal, int pressed,
                                          void (Pelto5Dlg::*handler)()) {
    member = new BitmapButton(this, id, QString::fromLatin1(caption), rc);
    member->LoadBitmaps(normal, pressed);
    connect(member, &QAbstractButton::clicked, this, [this, handler] { RunCommand(handler); });
    m_controls[id] = member;
    return member;
}

void Pelto5Dlg::CreateCommandButtons() {
    // One 64 x 29 key, moved from button to button down the two columns.
    QRect rc(QPoint(730, 260), QSize(64, 29));
    AddCommandButton(m_btnSave, 2110, "OK", rc, 277, 276, &Pelto5Dlg::OnSave);
    rc.translate(-63, 0);
    AddCommandButton(m_btnCopy, 2810, "Copy", rc, 226, 225, &Pelto5Dlg::OnCopy);
    m_bCopyHeld = 0;
    rc.translate(63, 30);
    AddCommandButton(m_btnExit, 2210, "Cancel", rc, 281, 280, &Pelto5Dlg::OnExit);
    rc.translate(-63, 0);
    AddCommandButton(m_btnClear, 2610, "Clear", rc, 217, 216, &Pelto5Dlg::OnClear);
    rc.translate(63, 30);
    AddCommandButton(m_btnOpen, 2310, "Cancel", rc, 279, 278, &Pelto5Dlg::OnOpen);
    rc.translate(-63, 0);
    AddCommandButton(m_btnReset, 2510, "Reset", rc, 214, 215, &Pelto5Dlg::OnReset);
    rc.translate(63, 30);
    AddCommandButton(m_btnSticky, 2410, "Sticky", rc, 286, 285, &Pelto5Dlg::OnSticky);
    rc.translate(0, 120);
    AddCommandButton(m_btnData, 2710, "Sticky", rc, 218, 219, &Pelto5Dlg::OnData);
    m_nSnap = 1;
}

void Pelto5Dlg::StackControls() {
    // The controls made first lie above those made later, so the command
    // buttons and read-outs stay above every marker and a lower marker above a
    // higher one; the ship pictures lie beneath everything, the markers on them.
    const QObjectList made = children();
    for (auto it = made.rbegin(); it != made.rend(); ++it)
        if (auto* control = qobject_cast<QWidget*>(*it))
            control->raise();
    m_stcTI->lower();
    m_stcVL->lower();
}

void Pelto5Dlg::RunCommand(void (Pelto5Dlg::*handler)()) {
    // While a marker is carried the window holds the mouse, so only a key
    // (Space on a focused button) reaches a command button: as a press on the
    // button would, it only drops the marker, and no dialog starts under the grab.
    if (m_nDragState == kCarrying) {
        DropCarried();
        return;
    }
    EndNudgeRun();
    (this->*handler)();
}

void Pelto5Dlg::CreateMarkerButtons() {
    const RectArray& tray = TrayRects();
    for (int i = 0; i < kHardpointCount; ++i) {
        const Rect& rc = tray[i];
        auto* marker = new BitmapButton(this, kFirstMarkerId + i, QStringLiteral("OK"),
                                        QRect(rc.left, rc.top, rc.Width(), rc.Height()));
        marker->LoadBitmaps(kFirstMarkerImage + i, kFirstMarkerImage + i);
        connect(marker, &BitmapButton::clickedWithId, this, &Pelto5Dlg::OnMarkerClicked);
        m_controls[kFirstMarkerId + i] = marker;
        m_markers[i] = marker;
    }
}

void Pelto5Dlg::CreateReadoutFont() {
    m_fontCoord = ReadoutFont();
    for (QLineEdit* edit : m_edits)
        edit->setFont(m_fontCoord);
}

std::optional<ControlColors> Pelto5Dlg::CtlColor(int id) const {
    // The text cells are filled with the brush's own colour, so each box is one colour.
    auto box = [this](ColorRef back) { return ControlColors{m_clrText, back, back}; };
    switch (id) {
    case 1008:
        return box(m_clrMauve);
    case 1009:
    case 1011:
        return box(m_clrLilac);
    case 1010:
        return box(m_clrOrange);
    case 1012:
        return box(m_clrPink);
    default:
        return std::nullopt;
    }
}

void Pelto5Dlg::ApplyControlColours() {
    for (const auto& [id, control] : m_controls) {
        const std::optional<ControlColors> colours = CtlColor(id);
        if (!colours)
            continue;
        QPalette pal = control->palette();
        for (QPalette::ColorGroup group :
             {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            pal.setColor(group, QPalette::Base, ToQColor(colours->brush));
            pal.setColor(group, QPalette::Window, ToQColor(colours->brush));
            pal.setColor(group, QPalette::Text, ToQColor(colours->text));
            pal.setColor(group, QPalette::WindowText, ToQColor(colours->text));
        }
        // A frameless edit fills its whole cell with Base itself. No automatic
        // background: a child marked opaque cuts the window's skin copy into
        // many slow pieces.
        control->setPalette(pal);
    }
}

QWidget* Pelto5Dlg::Control(int id) const {
    const auto it = m_controls.find(id);
    return it == m_controls.end() ? nullptr : it->second;
}

QLabel* Pelto5Dlg::Picture(int id) const {
    return id == kVlPictureId ? m_stcVL : (id == kTiPictureId ? m_stcTI : nullptr);
}

QString Pelto5Dlg::ReadoutText(int id) const {
    const auto* edit = qobject_cast<const QLineEdit*>(Control(id));
    return edit ? edit->text() : QString();
}

void Pelto5Dlg::PushReadouts() {
    const QString* strings[] = {&m_strWinX, &m_strWinY, &m_strPicX, &m_strPicY, &m_strName};
    for (size_t k = 0; k < m_edits.size(); ++k)
        if (m_edits[k]->text() != *strings[k]) { // an unchanged read-out need not repaint
            m_edits[k]->setText(*strings[k]);
            if (!kReadouts[k].autoScroll)
                m_edits[k]->setCursorPosition(0);
        }
}

void Pelto5Dlg::PullReadouts() {
    QString* strings[] = {&m_strWinX, &m_strWinY, &m_strPicX, &m_strPicY, &m_strName};
    for (size_t k = 0; k < m_edits.size(); ++k)
        *strings[k] = m_edits[k]->text();
}

Rect Pelto5Dlg::MarkerRect(int i) const {
    return ToRect(m_markers[i]->geometry());
}

Rect Pelto5Dlg::ControlRect(int id) const {
    if (id == kReferenceId)
        return ToRect(m_stcRef->geometry());
    const QLabel* picture = Picture(id);
    return picture ? ToRect(picture->geometry()) : Rect{};
}

void Pelto5Dlg::MoveMarker(int i, const Rect& rc) {
    m_markers[i]->setGeometry(rc.left, rc.top, rc.Width(), rc.Height());
    // Every move of a marker but the carry itself passes here: drops, nudges,
    // undo and redo, RESET, CLEAR, PASTE and opening a ship. The new
    // description reaches screen readers with its change event.
    DescribeMarker(i);
}

void Pelto5Dlg::RedrawMarkers() {
    for (int i = 0; i < kHardpointCount; ++i)
        m_markers[i]->repaint();
}

void Pelto5Dlg::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    DrawSkin(painter, event->region());
}

void Pelto5Dlg::DrawSkin(QPainter& painter, const QRegion& region) {
    // Copy only the skin's pieces under the update region, one rectangle at a
    // time: a whole-skin copy through a many-piece clip costs far more.
    const QRect skinRect = m_skin.rect();
    for (const QRect& r : region) {
        const QRect part = r & skinRect;
        if (!part.isEmpty())
            painter.drawImage(part.topLeft(), m_skin, part);
    }
    // No background is filled before this paint, so the strip the skin leaves
    // uncovered takes the window colour here.
    for (const QRect& r : region - QRegion(skinRect))
        painter.fillRect(r, palette().window());
}

void Pelto5Dlg::OnSysCommand(unsigned nID) {
    if ((nID & 0xFFF0) == kAboutCommand) {
        AboutDlg about;
        about.exec();
        return;
    }
    if (nID == kMinimizeCommand)
        showMinimized();
    else if (nID == kCloseCommand)
        reject();
}

void Pelto5Dlg::ShowSystemMenu(const QPoint& globalPos) {
    // No menu opens under a held grab: a carried marker is dropped first.
    if (m_nDragState == kCarrying)
        DropCarried();
    QMenu menu(this);
    // The application's colours, with an edge that stands out from the black
    // face and from the black field behind it.
    menu.setStyleSheet(QStringLiteral(
        "QMenu { background: palette(window); color: palette(window-text);"
        " border: 1px solid palette(window-text); padding: 2px; }"
        "QMenu::item { padding: 3px 24px 3px 12px; }"
        "QMenu::item:selected { background: palette(highlight); color: palette(highlighted-text); }"
        "QMenu::separator { height: 1px; background: palette(window-text); margin: 3px 6px; }"));
    menu.addAction(QStringLiteral("Mi&nimize"), this, [this] { OnSysCommand(kMinimizeCommand); });
    menu.addAction(QStringLiteral("&Close"), this, [this] { OnSysCommand(kCloseCommand); });
    const QString about = ResourceString(101);
    if (!about.isEmpty()) {
        menu.addSeparator();
        menu.addAction(about, this, [this] { OnSysCommand(kAboutCommand); });
    }
    menu.exec(globalPos);
}

void Pelto5Dlg::contextMenuEvent(QContextMenuEvent* event) {
    // A carried marker takes the mouse; the menu waits for the drop.
    if (m_nDragState == kCarrying)
        return;
    ShowSystemMenu(event->globalPos());
}

void Pelto5Dlg::keyPressEvent(QKeyEvent* event) {
    // Every control passes Alt+Space on to the window.
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::AltModifier) {
        ShowSystemMenu(QCursor::pos());
        return;
    }
    if (IsDialogOkKey(event))
        accept();
    else
        QDialog::keyPressEvent(event);
}

bool Pelto5Dlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        const int id = watched->property("controlId").toInt();
        if (id >= 1008 && id <= 1011)
            OnReadoutFocus(id);
    }
    return QDialog::eventFilter(watched, event);
}

void Pelto5Dlg::ShowFailure(const FileResult& result) {
    if (!result.ok && m_showMessage)
        m_showMessage(this, QString::fromLocal8Bit(result.message.c_str()));
}

} // namespace pelto5
