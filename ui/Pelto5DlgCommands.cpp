// The editor window's commands: the buttons and the keys that stand for
// them, ships opened or dropped onto the window, and the questions asked
// before work could be lost.
#include "Pelto5Dlg.h"

#include "FindDlg.h"
#include "MarkerPlace.h"
#include "MeDlg.h"
#include "PictureLayout.h"
#include "ReadoutPanel.h"
#include "ShipPaths.h"
#include "ShipPicture.h"
#include "ShipText.h"

#include <QApplication>
#include <QCursor>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QScreen>

namespace pelto5 {

namespace {

enum SaveChangesAnswer { kSaveChanges, kDiscardChanges };
enum ChangedFileAnswer { kSaveIntoChanged, kOverwrite };

} // namespace

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
    const QString chosen = m_openPrompt ? m_openPrompt(this, m_strPath) : QString();
    if (chosen.isEmpty())
        return;
    const std::optional<std::string> path = ChosenPathBytes(chosen);
    if (!path) {
        ShowFailure({false, "Could not open " + QFile::encodeName(chosen).toStdString() +
                                ": its name has letters this system cannot show, and no single "
                                "file in its folder matches it. Open it from the command line "
                                "or drop it onto the window."});
        return;
    }
    OpenShipFile(*path);
}

void Pelto5Dlg::OpenShip(const QString& chosen) {
    OpenShipFile(QFile::encodeName(chosen).toStdString());
}

void Pelto5Dlg::OpenShipFile(const std::string& chosen) {
    // A file that cannot be a ship (a picture, a pipe, a device) is refused
    // before anything of the open ship is given up.
    const FileResult check = m_model.CheckShipFile(chosen);
    if (!check.ok) {
        ShowFailure(check);
        return;
    }
    if (!SettleUnsavedWork())
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

    ShowFailure(m_model.ReadShipFile());
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

void Pelto5Dlg::ShowFailure(const FileResult& result) {
    if (!result.ok && m_showMessage)
        m_showMessage(this, QString::fromLocal8Bit(result.message.c_str()));
}

void Pelto5Dlg::OnSave() {
    SaveShip();
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
    const QPoint pointer = QCursor::pos();
    const QScreen* screen = QGuiApplication::screenAt(pointer);
    if (!screen)
        screen = this->screen();
    find.PlaceAt(pointer, screen->availableGeometry());
    if (find.exec() == QDialog::Accepted && find.Chosen() >= 0 &&
        m_carry.State() == MarkerCarry::DragState::Idle)
        OnMarkerClicked(kFirstMarkerId + find.Chosen());
}

void Pelto5Dlg::OnMirror(bool acrossVerticalLine) {
    if (!m_carry.Mirror(acrossVerticalLine))
        QApplication::beep();
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

bool Pelto5Dlg::HasUnsavedWork() const {
    return (m_carry.Carrying() && !m_model.ShipPath().empty()) || m_model.HasUnsavedMoves();
}

void Pelto5Dlg::done(int result) {
    if (SettleUnsavedWork())
        QDialog::done(result);
}

bool Pelto5Dlg::SettleUnsavedWork() {
    if (!HasUnsavedWork() || !m_askQuestion)
        return true;
    // The question takes the mouse; a carried marker waits where it is.
    const bool carrying = m_carry.Carrying();
    if (carrying)
        releaseMouse();
    const int answer = m_askQuestion(
        this, QStringLiteral("Save changes to %1?").arg(ShownFileName(m_model.ShipPath())),
        {QStringLiteral("&Save"), QStringLiteral("&Discard"), QStringLiteral("Cancel")});
    if (answer == kSaveChanges) {
        if (carrying)
            m_carry.Drop();
        return SaveShip();
    }
    // Cancelled or discarded, a carry ends where the marker was picked up.
    if (carrying)
        m_carry.Cancel();
    return answer == kDiscardChanges;
}

bool Pelto5Dlg::SaveShip() {
    FileResult saved;
    if (m_model.ChangedOnDisk() && m_askQuestion) {
        const int answer =
            m_askQuestion(this,
                          QStringLiteral("%1 was changed by another program since it was opened.")
                              .arg(ShownFileName(m_model.ShipPath())),
                          {QStringLiteral("&Save into the changed file"),
                           QStringLiteral("&Overwrite"), QStringLiteral("Cancel")});
        if (answer == kSaveIntoChanged)
            saved = m_model.SaveIntoChangedFile();
        else if (answer == kOverwrite)
            saved = m_model.SaveShipFile();
        else
            return false;
    } else {
        saved = m_model.SaveShipFile();
    }
    ShowFailure(saved);
    return saved.ok;
}

} // namespace pelto5
