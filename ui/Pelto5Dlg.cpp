// The editor window: its controls, keys, mouse, painting and commands.
// Carrying markers is its MarkerCarry's work, the read-outs its
// ReadoutPanel's, keeping work from being lost its ShipFileGuard's, and
// comparing with another version of the ship its ShipComparison's.
#include "Pelto5Dlg.h"

#include "AboutDlg.h"
#include "CommandFaces.h"
#include "CoordinatesDlg.h"
#include "DialogKeys.h"
#include "DialogUnits.h"
#include "FindDlg.h"
#include "FocusReturn.h"
#include "GhostLayer.h"
#include "KeyboardCues.h"
#include "MarkerMoves.h"
#include "MarkerPlace.h"
#include "MeDlg.h"
#include "PictureLayout.h"
#include "PictureView.h"
#include "ReadoutPanel.h"
#include "Resources.h"
#include "SelectionCue.h"
#include "ShipComparison.h"
#include "ShipPaths.h"
#include "ShipPicture.h"
#include "ShipText.h"
#include "SpokenResults.h"
#include "SpokenStatus.h"
#include "SystemMenu.h"
#include "WholePixels.h"
#include "WindowPlacement.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QShortcut>
#include <QWindow>

#include <algorithm>
#include <cstdlib>

namespace pelto5 {

namespace {

constexpr QSize kDragWindowSize(798, 505);
constexpr int kSmallNudge = 1;
constexpr int kLargeNudge = 8;

Rect ToRect(const QRect& r) {
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

// Integer division truncates toward zero, as the snapping rule wants (-9 snaps to -8).
QPoint Snapped(const QPoint& p, int step) {
    return {p.x() / step * step, p.y() / step * step};
}

bool CanMoveOwnWindow() {
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

} // namespace

Pelto5Dlg::Pelto5Dlg(FileSystem& fs, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::FramelessWindowHint), m_fs(fs), m_model(*this, fs),
      m_carry(*this, *this), m_guard(this, m_model, m_carry), m_exitProcess([] { std::exit(0); }) {
    setFixedSize(DialogUnitsRect(0, 0, 539, 311).size());
    setMouseTracking(true);
    m_pointer = new PointerPixels(this);
    // The skin covers the window, so a background fill before it is wasted.
    setAttribute(Qt::WA_OpaquePaintEvent);

    CreateTemplateControls();
    m_nSnap = 1;
    setWindowTitle(tr("Vorsanth's Tolmar Util"));
    CreateCommandButtons();
    CreateMarkerButtons();
    m_compare = new ShipComparison(this, m_model, *this, m_carry, m_guard,
                                   [this](int i) { PickUpAlone(i); });
    StackControls();
    CreateKeys();
    setWindowIcon(ResourceIcon(kMainIcon));
    m_readouts->PullReadouts();
    m_skin = ResourceBitmap(kSkinBitmap);
    NameControls();
    new SpokenStatus(this, tr("No ship open"));
    OrderTabStops();
    // A ship file dropped anywhere on the window is the window's.
    setAcceptDrops(true);
    m_magnifier = new Magnifier(this, *this, *this);
    connect(m_pointer, &PointerPixels::moved, this,
            [this](const QPoint& pixel) { m_magnifier->Follow(pixel, Snapped(pixel, m_nSnap)); });

    const QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen)
        move(PlacedTopLeft(size(), screen->availableGeometry()));
}

Pelto5Dlg::~Pelto5Dlg() = default;

void Pelto5Dlg::CreateTemplateControls() {
    auto placeStatic = [this](QLabel* label, int id, const QRect& du) {
        label->setGeometry(DialogUnitsRect(du.x(), du.y(), du.width(), du.height()));
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        if (id > 0) {
            label->setProperty("controlId", id);
            m_controls[id] = label;
        }
        return label;
    };
    auto makeStatic = [this, &placeStatic](int id, const QRect& du) {
        return placeStatic(new QLabel(this), id, du);
    };
    auto makePicture = [this, &placeStatic](const PictureLayout& picture) {
        const Rect& du = picture.templateRect;
        return placeStatic(new PictureView(this), picture.controlId,
                           {du.left, du.top, du.Width(), du.Height()});
    };
    m_stcVL = makePicture(kVlPicture);
    m_stcTI = makePicture(kTiPicture);

    QLabel* plate = makeStatic(-1, {448, 215, 39, 18});
    const QPixmap plateImage = QPixmap::fromImage(ResourceBitmap(kStickyPlateBitmap));
    plate->setPixmap(plateImage);
    plate->setAccessibleName(tr("STICKY"));
    if (!plateImage.isNull())
        plate->resize(plateImage.size());

    m_readouts = new ReadoutPanel(this, [this](int id) { OnReadoutFocus(id); });
    for (QLineEdit* edit : m_readouts->Edits())
        m_controls[edit->property("controlId").toInt()] = edit;

    m_stcRef = makeStatic(kReferenceId, {0, 0, 795, 24});
    m_stcRef->hide();
}

void Pelto5Dlg::AddCommandButton(BitmapButton*& member, int id, const char* caption,
                                 const QRect& rc, Faces faces, void (Pelto5Dlg::*handler)()) {
    member = new BitmapButton(this, id, QString::fromLatin1(caption), rc);
    member->LoadBitmaps(faces.normal, faces.pressed);
    connect(member, &QAbstractButton::clicked, this, [this, handler] { RunCommand(handler); });
    m_controls[id] = member;
}

void Pelto5Dlg::CreateCommandButtons() {
    // One 64 x 29 key, moved from button to button down the two columns.
    QRect rc(QPoint(730, 260), QSize(64, 29));
    AddCommandButton(m_btnSave, kSaveButtonId, "OK", rc, kSaveFaces, &Pelto5Dlg::OnSave);
    rc.translate(-63, 0);
    AddCommandButton(m_btnCopy, kCopyButtonId, "Copy", rc, kCopyFaces, &Pelto5Dlg::OnCopy);
    m_bCopyHeld = 0;
    rc.translate(63, 30);
    AddCommandButton(m_btnExit, kExitButtonId, "Cancel", rc, kExitFaces, &Pelto5Dlg::OnExit);
    rc.translate(-63, 0);
    AddCommandButton(m_btnClear, kClearButtonId, "Clear", rc, kClearFaces, &Pelto5Dlg::OnClear);
    rc.translate(63, 30);
    AddCommandButton(m_btnOpen, kOpenButtonId, "Cancel", rc, kOpenFaces, &Pelto5Dlg::OnOpen);
    rc.translate(-63, 0);
    AddCommandButton(m_btnReset, kResetButtonId, "Reset", rc, kResetFaces, &Pelto5Dlg::OnReset);
    rc.translate(63, 30);
    AddCommandButton(m_btnSticky, kStickyButtonId, "Sticky", rc, kSnapOffFaces,
                     &Pelto5Dlg::OnSticky);
    rc.translate(0, 120);
    AddCommandButton(m_btnData, kDataButtonId, "Sticky", rc, kDataFaces, &Pelto5Dlg::OnData);
    m_nSnap = 1;
}

void Pelto5Dlg::CreateMarkerButtons() {
    const RectArray& tray = TrayRects();
    for (int i = 0; i < kHardpointCount; ++i) {
        const Rect& rc = tray[i];
        auto* marker = new BitmapButton(this, kFirstMarkerId + i, QStringLiteral("OK"),
                                        QRect(rc.left, rc.top, rc.Width(), rc.Height()));
        marker->LoadBitmaps(kFirstMarkerImage + i, kFirstMarkerImage + i);
        marker->SetSelectable();
        connect(marker, &BitmapButton::clickedWithId, this, &Pelto5Dlg::OnMarkerClicked);
        m_controls[kFirstMarkerId + i] = marker;
        m_markers[i] = marker;
    }
}

void Pelto5Dlg::StackControls() {
    // The controls made first lie above those made later, so the command
    // buttons and read-outs stay above every marker and a lower marker above a
    // higher one; the ship pictures lie beneath everything, the markers on them.
    // A comparison's ghosts lie on the pictures, beneath the markers.
    const QObjectList made = children();
    for (auto it = made.rbegin(); it != made.rend(); ++it)
        if (auto* control = qobject_cast<QWidget*>(*it))
            control->raise();
    m_compare->Ghosts()->lower();
    m_stcTI->lower();
    m_stcVL->lower();
}

void Pelto5Dlg::CreateKeys() {
    // Window-wide keys, whatever control has the focus; a focused control that
    // needs a key itself (edit 1012 its arrows) keeps it.
    auto key = [this](const QKeySequence& sequence, auto handler) {
        connect(new QShortcut(sequence, this), &QShortcut::activated, this, handler);
    };
    for (const QKeySequence& undo : QKeySequence::keyBindings(QKeySequence::Undo))
        key(undo, [this] { OnHistory(true); });
    for (const QKeySequence& redo :
         {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)})
        key(redo, [this] { OnHistory(false); });
    key(QKeySequence::Save, [this] { RunCommand(&Pelto5Dlg::OnSave); });
    key(QKeySequence::Open, [this] { RunCommand(&Pelto5Dlg::OnOpen); });
    key(QKeySequence(Qt::CTRL | Qt::Key_F), [this] { OnFind(); });
    key(QKeySequence(Qt::CTRL | Qt::Key_D), [this] { RunCommand(&Pelto5Dlg::OnCompare); });
    key(QKeySequence(Qt::Key_M), [this] { OnMirror(false); });
    key(QKeySequence(Qt::SHIFT | Qt::Key_M), [this] { OnMirror(true); });
    key(QKeySequence::SelectAll, [this] { m_carry.SelectAllOn(m_pointer->Pixel()); });
    key(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A), [this] { m_carry.SelectNone(); });
    key(QKeySequence(Qt::Key_L), [this] { m_magnifier->Toggle(); });
    key(QKeySequence(Qt::Key_G), [this] { OnTypeCoordinates(); });
    // F1: the about box and its keys, as the window menu shows it (a carried
    // marker is dropped first, as for the menu).
    key(QKeySequence(Qt::Key_F1), [this] {
        if (m_carry.Carrying())
            m_carry.Drop();
        OnSysCommand(kAboutCommand);
    });
    const struct {
        Qt::Key key;
        int dx, dy;
    } arrows[] = {
        {Qt::Key_Left, -1, 0}, {Qt::Key_Right, 1, 0}, {Qt::Key_Up, 0, -1}, {Qt::Key_Down, 0, 1}};
    for (const auto& a : arrows) {
        key(QKeySequence(a.key),
            [this, a] { m_carry.Nudge(a.dx * kSmallNudge, a.dy * kSmallNudge); });
        key(QKeySequence(Qt::SHIFT | a.key),
            [this, a] { m_carry.Nudge(a.dx * kLargeNudge, a.dy * kLargeNudge); });
    }
}

void Pelto5Dlg::NameControls() {
    for (BitmapButton* button : {m_btnSave, m_btnOpen, m_btnExit, m_btnSticky, m_btnCopy,
                                 m_btnReset, m_btnClear, m_btnData})
        NameByFace(button);
    for (int i = 0; i < kHardpointCount; ++i) {
        m_markers[i]->setAccessibleName(QString::fromStdString(m_model.Name(i)));
        DescribeMarker(i);
    }
    m_stcVL->setAccessibleName(tr("VL picture"));
    m_stcTI->setAccessibleName(tr("TI picture"));
    DescribePictures();
}

void Pelto5Dlg::DescribePictures() {
    auto describe = [this](QLabel* picture, const QString& path) {
        picture->setAccessibleDescription(picture->pixmap().isNull() ? tr("no ship open")
                                                                     : QFileInfo(path).fileName());
    };
    describe(m_stcVL, m_strPath);
    describe(m_stcTI, QFile::decodeName(m_strTIPath.c_str()));
}

void Pelto5Dlg::OrderTabStops() {
    // Along the screen: the command buttons column by column, left column
    // first, then the markers in table order.
    QWidget* last = nullptr;
    for (QWidget* control : {m_btnCopy, m_btnClear, m_btnReset, m_btnSave, m_btnExit, m_btnOpen,
                             m_btnSticky, m_btnData}) {
        if (last)
            setTabOrder(last, control);
        last = control;
    }
    for (int i = 0; i < kHardpointCount; ++i) {
        setTabOrder(last, m_markers[i]);
        last = m_markers[i];
    }
    // The first control of the template keeps the focus a new window gives.
    m_btnSave->setFocus(Qt::OtherFocusReason);
    TrackKeyboardCues(this);
    ReturnFocusAfterDialogs(this);
}

std::optional<ControlColors> Pelto5Dlg::CtlColor(int id) const {
    return m_readouts->CtlColor(id);
}

QWidget* Pelto5Dlg::Control(int id) const {
    const auto it = m_controls.find(id);
    return it == m_controls.end() ? nullptr : it->second;
}

QLabel* Pelto5Dlg::Picture(int id) const {
    return id == kVlPicture.controlId ? m_stcVL : (id == kTiPicture.controlId ? m_stcTI : nullptr);
}

QString Pelto5Dlg::ReadoutText(int id) const {
    const auto* edit = qobject_cast<const QLineEdit*>(Control(id));
    return edit ? edit->text() : QString();
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
    // Every move tells the marker's new place, a carried one's as it goes,
    // and the new description reaches screen readers with its change event.
    if (!m_carry.IsCarried(i))
        m_nMovedTogether[i] = m_carry.MovingTogether();
    DescribeMarker(i);
    if (m_magnifier)
        m_magnifier->Refresh();
    m_compare->MarkersMoved();
}

void Pelto5Dlg::DescribeMarker(int i) {
    const MarkerSelection& selection = m_carry.Selection();
    const bool carried = m_carry.IsCarried(i);
    const QString words = SelectionCue::Described(
        carried ? CarriedPlace(m_model, i) : SpokenPlace(m_model, i),
        selection.Contains(i) ? selection.Count() : 0, carried ? 0 : m_nMovedTogether[i]);
    // Only a change is told to screen readers: at most once for each pixel
    // a carried marker crosses.
    if (m_markers[i]->accessibleDescription() != words)
        m_markers[i]->setAccessibleDescription(words);
}

void Pelto5Dlg::RedrawMarkers() {
    for (int i = 0; i < kHardpointCount; ++i)
        m_markers[i]->repaint();
}

void Pelto5Dlg::CarryStarted(int i) {
    // Carried, the markers show above the pictures and the other markers,
    // still beneath the command buttons; the clicked one on top.
    const std::vector<int> carried = m_carry.CarriedMarkers();
    for (auto it = carried.rbegin(); it != carried.rend(); ++it)
        m_markers[*it]->stackUnder(m_btnData);
    grabMouse();
    ShowName(i);
    // The keys follow the work: the clicked marker takes the focus, however
    // it was picked up, and says it is carried.
    for (int marker : carried)
        DescribeMarker(marker);
    m_markers[i]->setFocus(Qt::OtherFocusReason);
}

void Pelto5Dlg::ShowName(int i) {
    m_readouts->ShowName(QString::fromLatin1(ToUpperCopy(m_model.Name(i)).c_str()));
}

void Pelto5Dlg::CarryEnded(int) {
    releaseMouse();
    // Dropped, the markers go back to their places among the markers, each
    // beneath those of lower numbers: the lower ones first, so that each
    // finds its neighbour in place.
    std::vector<int> carried = m_carry.CarriedMarkers();
    std::sort(carried.begin(), carried.end());
    for (int i : carried) {
        m_markers[i]->stackUnder(i == 0 ? m_btnData : m_markers[i - 1]);
        DescribeMarker(i);
    }
    RedrawMarkers();
}

void Pelto5Dlg::ShowPoint(const QPoint& point) {
    m_readouts->ShowPoint(point);
    m_magnifier->Follow(point, point);
}

void Pelto5Dlg::SelectionChanged() {
    const MarkerSelection& selection = m_carry.Selection();
    for (int i = 0; i < kHardpointCount; ++i) {
        m_markers[i]->SetSelected(selection.Contains(i));
        DescribeMarker(i);
    }
    if (!selection.Empty())
        ShowName(selection.Last());
    m_magnifier->Refresh();
}

QSize Pelto5Dlg::ShownPictureSize(int pictureId) const {
    const QLabel* picture = Picture(pictureId);
    return picture ? picture->pixmap().size() : QSize();
}

QImage Pelto5Dlg::ShownPicture(int pictureId) const {
    // The decoded picture the control shows, shared, not copied.
    const QLabel* picture = Picture(pictureId);
    return picture ? picture->pixmap().toImage() : QImage();
}

QString Pelto5Dlg::MarkerName(int i) const {
    return QString::fromLatin1(m_model.Name(i).c_str());
}

QList<int> Pelto5Dlg::MarkedMarkers() const {
    if (!m_carry.Carrying())
        return {};
    const std::vector<int> carried = m_carry.CarriedMarkers();
    return QList<int>(carried.begin(), carried.end());
}

QList<int> Pelto5Dlg::SelectedMarkers() const {
    const std::vector<int>& selected = m_carry.Selection().Markers();
    return QList<int>(selected.begin(), selected.end());
}

void Pelto5Dlg::OnMarkerClicked(int id) {
    const int i = id - kFirstMarkerId;
    if (i < 0 || i >= kHardpointCount)
        return;
    // Ctrl+click (or Ctrl+Space on the focused marker) selects instead.
    if (QGuiApplication::keyboardModifiers() & Qt::ControlModifier)
        m_carry.OnMarkerCtrlClicked(i);
    else
        m_carry.OnMarkerClicked(i);
}

void Pelto5Dlg::OnReadoutFocus(int) {
    // The coordinate read-outs never keep the focus; the VL picture takes it.
    m_stcVL->setFocus(Qt::OtherFocusReason);
}

void Pelto5Dlg::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        OnLButtonDown(m_pointer->PixelAt(*event));
    else
        QDialog::mousePressEvent(event);
}

void Pelto5Dlg::mouseMoveEvent(QMouseEvent* event) {
    QDialog::mouseMoveEvent(event);
    OnMouseMove(m_pointer->PixelAt(*event));
}

void Pelto5Dlg::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        OnLButtonUp();
    QDialog::mouseReleaseEvent(event);
}

void Pelto5Dlg::OnLButtonDown(const QPoint& point) {
    m_readouts->PushReadouts();
    if (!m_carry.PressOnWindow())
        return;
    m_ptDragStart = point;
    if (!CanMoveOwnWindow()) {
        // The compositor moves windows there; hand it the drag.
        if (QWindow* window = windowHandle())
            window->startSystemMove();
        m_carry.EndWindowDrag();
    }
}

void Pelto5Dlg::OnMouseMove(const QPoint& point) {
    const QPoint snapped = Snapped(point, m_nSnap);
    if (m_carry.Carrying()) {
        m_carry.CarryTo(snapped);
    } else if (m_carry.State() == MarkerCarry::DragState::DraggingWindow) {
        // The point under the cursor stays where the press began.
        const QPoint topLeft = frameGeometry().topLeft() - (m_ptDragStart - point);
        setFixedSize(kDragWindowSize);
        move(topLeft);
    }
    m_readouts->ShowPoint(snapped);
}

void Pelto5Dlg::OnLButtonUp() {
    m_carry.EndWindowDrag();
}

void Pelto5Dlg::paintEvent(QPaintEvent* event) {
    // Copy only the skin's pieces under the update region, one rectangle at a
    // time: a whole-skin copy through a many-piece clip costs far more.
    QPainter painter(this);
    const QRect skinRect = m_skin.rect();
    for (const QRect& r : event->region()) {
        const QRect part = r & skinRect;
        if (!part.isEmpty())
            painter.drawImage(part.topLeft(), m_skin, part);
    }
    // No background is filled before this paint, so the strip the skin leaves
    // uncovered takes the window colour here.
    for (const QRect& r : event->region() - QRegion(skinRect))
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
    if (m_carry.Carrying())
        m_carry.Drop();
    ExecSystemMenu(this, globalPos, [this](unsigned command) { OnSysCommand(command); });
}

void Pelto5Dlg::contextMenuEvent(QContextMenuEvent* event) {
    // A carried marker takes the mouse; the menu waits for the drop.
    if (!m_carry.Carrying())
        ShowSystemMenu(event->globalPos());
}

void Pelto5Dlg::keyPressEvent(QKeyEvent* event) {
    // Every control passes Alt+Space on to the window.
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::AltModifier)
        ShowSystemMenu(QCursor::pos());
    else if (IsDialogOkKey(event))
        accept();
    else
        QDialog::keyPressEvent(event);
}

void Pelto5Dlg::RunCommand(void (Pelto5Dlg::*handler)()) {
    // While a marker is carried the window holds the mouse, so only a key
    // (Space on a focused button) reaches a command button: as a press on the
    // button would, it only drops the marker, and no dialog starts under the grab.
    if (m_carry.Carrying()) {
        m_carry.Drop();
        return;
    }
    m_carry.EndNudgeRun();
    (this->*handler)();
}

void Pelto5Dlg::OnOpen() {
    if (const std::optional<std::string> path = m_guard.AskShipPath(m_strPath))
        OpenShipFile(*path);
}

void Pelto5Dlg::OpenShip(const QString& chosen) {
    OpenShipFile(QFile::encodeName(chosen).toStdString());
}

void Pelto5Dlg::OpenShipFile(const std::string& chosen) {
    // A file that cannot be a ship (a picture, a pipe, a device) is refused,
    // and unsaved work asked about, before anything of the open ship is given up.
    std::optional<ShipFileRead> read = m_guard.ReadForOpen(chosen);
    if (!read)
        return;
    // A new ship: nothing of the last one's history or nudging goes on.
    m_carry.NewShip();
    m_model.ResetHardpoints();
    RedrawMarkers();
    m_model.SetShipPath(chosen);
    m_strTIPath = kTiPicture.PicturePath(chosen);
    const std::string vlPath = kVlPicture.PicturePath(chosen);
    // The next OPEN starts at this name; the pictures load from the bytes.
    m_strPath = QFile::decodeName(vlPath.c_str());

    const QImage vl = LoadShipPicture(m_fs, vlPath);
    LoadPicture(m_stcVL, vl);
    if (!vl.isNull())
        m_bmpVL = QPixmap::fromImage(vl);
    LoadPicture(m_stcTI, LoadShipPicture(m_fs, m_strTIPath));
    // Pictures of other sizes may reach where the magnifier stands.
    m_magnifier->Place();
    m_magnifier->Refresh();

    m_model.TakeShipFile(std::move(read->bytes));
    SpokenStatus::Announce(SpokenResults::Opened(ShownFileName(chosen)));
}

void Pelto5Dlg::LoadPicture(QLabel* control, const QImage& image) {
    // The picture shows at its own size with the control's top-left fixed.
    if (image.isNull()) {
        control->clear();
    } else {
        control->setPixmap(QPixmap::fromImage(image));
        control->resize(image.size());
    }
    DescribePictures();
}

void Pelto5Dlg::OnSave() {
    m_guard.Save();
}

void Pelto5Dlg::OnExit() {
    if (m_exitProcess)
        m_exitProcess();
}

void Pelto5Dlg::OnSticky() {
    if (m_nSnap == 1) {
        m_btnSticky->LoadBitmaps(kSnapLowFaces.normal, kSnapLowFaces.pressed);
        m_nSnap = 8;
    } else if (m_nSnap == 8) {
        m_btnSticky->LoadBitmaps(kSnapHighFaces.normal, kSnapHighFaces.pressed);
        m_nSnap = 16;
    } else if (m_nSnap == 16) {
        m_btnSticky->LoadBitmaps(kSnapOffFaces.normal, kSnapOffFaces.pressed);
        m_nSnap = 1;
    }
    m_readouts->PushReadouts();
    m_btnSticky->repaint();
}

void Pelto5Dlg::OnReset() {
    m_carry.RecordMoves([this] { m_model.ResetLayout(); });
    repaint();
}

void Pelto5Dlg::OnClear() {
    m_carry.RecordMoves([this] { m_model.ClearLayout(); });
}

void Pelto5Dlg::OnCopy() {
    if (m_bCopyHeld == 1) {
        m_btnCopy->LoadBitmaps(kCopyFaces.normal, kCopyFaces.pressed);
        m_bCopyHeld = 0;
        m_carry.RecordMoves([this] { m_model.PasteLayout(); });
    } else if (m_bCopyHeld == 0) {
        m_btnCopy->LoadBitmaps(kPasteFaces.normal, kPasteFaces.pressed);
        m_bCopyHeld = 1;
        m_model.CopyLayout();
    }
    m_readouts->PushReadouts();
    repaint();
}

void Pelto5Dlg::OnData() {
    MeDlg support;
    if (support.exec() == kIdOk)
        m_readouts->PullReadouts();
}

void Pelto5Dlg::OnFind() {
    // The popup takes the mouse itself: a carried marker is dropped first, so
    // that no grab of the window's stands under it.
    if (m_carry.Carrying())
        m_carry.Drop();
    QList<FindDlg::Entry> entries;
    for (int i = 0; i < kHardpointCount; ++i)
        entries.push_back({QString::fromLatin1(m_model.Name(i).c_str()), ShortPlace(m_model, i)});
    FindDlg find(entries, this);
    find.PlaceAtPointer();
    if (find.exec() == QDialog::Accepted && find.Chosen() >= 0 &&
        m_carry.State() == MarkerCarry::DragState::Idle)
        PickUpAlone(find.Chosen());
}

void Pelto5Dlg::PickUpAlone(int i) {
    // A marker found by name or chosen from a list is picked up alone.
    m_carry.SelectNone();
    m_carry.OnMarkerClicked(i);
}

void Pelto5Dlg::OnMirror(bool acrossVerticalLine) {
    MarkerCarry::MirrorRefusal why = MarkerCarry::MirrorRefusal::None;
    if (!m_carry.Mirror(acrossVerticalLine, &why)) {
        QApplication::beep();
        SpokenStatus::Announce(SpokenResults::MirrorRefused(why));
    }
}

void Pelto5Dlg::OnHistory(bool undo) {
    // The focus goes to the marker the step moved (the one it placed, when
    // it moved several), and what was undone or redone is said.
    const int carried = m_carry.Carrying() ? m_carry.Carried() : -1;
    const MarkerMoves* step = undo ? m_carry.Undo() : m_carry.Redo();
    if (step) {
        const int moved = step->Lead() >= 0 ? step->Lead() : step->SoleMarker();
        if (moved >= 0)
            m_markers[moved]->setFocus(Qt::OtherFocusReason);
    }
    SpokenStatus::Announce(undo && carried >= 0 ? SpokenResults::CarryUndone(carried, m_model)
                                                : SpokenResults::Step(step, undo, m_model));
}

void Pelto5Dlg::OnTypeCoordinates() {
    if (!m_carry.Carrying() && !m_carry.Selection().Empty()) {
        TypeOffset();
        return;
    }
    const int i = m_carry.Carried();
    if (i < 0) {
        QApplication::beep();
        SpokenStatus::Announce(SpokenResults::NothingToPlace());
        return;
    }
    const PictureLayout& picture = PictureOf(i);
    const Rect file = m_model.RelativeMarkerRect(i, kRelativeToPicture);
    const QSize size(file.Width(), file.Height());
    CoordinatesDlg popup(
        QStringLiteral("%1, %2").arg(file.left).arg(file.top),
        tr("x, y on the %1 picture").arg(QLatin1String(picture.name)),
        [&picture, size](const QString& line) {
            return CoordinatesDlg::ReadFilePoint(line, picture, size);
        },
        [this, &picture](const Point& point) {
            const Point at = picture.FileToClient(point);
            m_carry.PlaceAt(QPoint(at.x, at.y));
        },
        this);
    popup.PlaceAtPointer();
    // The popup takes the mouse while it is open; a carry it leaves goes on.
    if (m_carry.Carrying())
        releaseMouse();
    popup.exec();
    if (m_carry.Carrying())
        grabMouse();
}

void Pelto5Dlg::TypeOffset() {
    std::vector<CoordinatesDlg::Standing> selected;
    for (int i : m_carry.Selection().Markers()) {
        const Rect file = m_model.RelativeMarkerRect(i, kRelativeToPicture);
        selected.push_back(
            {{file.left, file.top}, &PictureOf(i), QSize(file.Width(), file.Height())});
    }
    CoordinatesDlg popup(
        QStringLiteral("0, 0"), tr("Move the selection by dx, dy"),
        [selected](const QString& line) { return CoordinatesDlg::ReadOffset(line, selected); },
        [this](const Point& by) { m_carry.MoveSelectionBy(by.x, by.y); }, this);
    popup.setAccessibleName(tr("Move the selection"));
    popup.Line()->setAccessibleName(tr("dx, dy"));
    popup.PlaceAtPointer();
    popup.exec();
}

void Pelto5Dlg::OnCompare() {
    m_compare->OnCompare();
}

void Pelto5Dlg::dragEnterEvent(QDragEnterEvent* event) {
    // A carried marker holds the mouse; nothing is dropped onto it.
    if (m_carry.State() == MarkerCarry::DragState::Idle &&
        !DroppedShipPath(event->mimeData()).empty())
        event->acceptProposedAction();
}

void Pelto5Dlg::dropEvent(QDropEvent* event) {
    const std::string ship = DroppedShipPath(event->mimeData());
    if (m_carry.State() != MarkerCarry::DragState::Idle || ship.empty())
        return;
    event->acceptProposedAction();
    // Opened once the drop has ended, so that the file manager is not held
    // while a message about the ship is shown.
    QMetaObject::invokeMethod(
        this, [this, ship] { OpenShipFile(ship); }, Qt::QueuedConnection);
}

void Pelto5Dlg::done(int result) {
    if (m_guard.SettleUnsavedWork())
        QDialog::done(result);
}

} // namespace pelto5
