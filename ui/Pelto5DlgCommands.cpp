// The command buttons: open, save, exit, snap, reset, clear, copy and paste.
#include "Pelto5Dlg.h"

#include "MeDlg.h"
#include "ShipPaths.h"
#include "ShipPicture.h"
#include "ShipText.h"

#include <QFile>
#include <QLabel>

namespace pelto5 {

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
    m_history.clear();
    m_nLastPicked = -1;
    m_nLastPlaced = -1;
    m_model.ResetHardpoints();
    RedrawMarkers();
    m_model.SetShipPath(chosen);
    const std::string stem = ShipStem(chosen);
    m_strTIPath = stem + "TI.bmp";
    const std::string vlPath = stem + "VL.bmp";
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

void Pelto5Dlg::OnSave() {
    SaveShip();
}

void Pelto5Dlg::OnExit() {
    if (m_exitProcess)
        m_exitProcess();
}

void Pelto5Dlg::OnSticky() {
    if (m_nSnap == 1) {
        m_btnSticky->LoadBitmaps(284, 283);
        m_nSnap = 8;
    } else if (m_nSnap == 8) {
        m_btnSticky->LoadBitmaps(282, 287);
        m_nSnap = 16;
    } else if (m_nSnap == 16) {
        m_btnSticky->LoadBitmaps(286, 285);
        m_nSnap = 1;
    }
    PushReadouts();
    m_btnSticky->repaint();
}

void Pelto5Dlg::OnReset() {
    RecordMoves([this] { m_model.ResetLayout(); });
    repaint();
}

void Pelto5Dlg::OnClear() {
    RecordMoves([this] { m_model.ClearLayout(); });
}

void Pelto5Dlg::OnCopy() {
    if (m_bCopyHeld == 1) {
        m_btnCopy->LoadBitmaps(226, 225);
        m_bCopyHeld = 0;
        RecordMoves([this] { m_model.PasteLayout(); });
    } else if (m_bCopyHeld == 0) {
        m_btnCopy->LoadBitmaps(224, 227);
        m_bCopyHeld = 1;
        m_model.CopyLayout();
    }
    PushReadouts();
    repaint();
}

void Pelto5Dlg::OnData() {
    MeDlg support;
    if (support.exec() == 1)
        PullReadouts();
}

} // namespace pelto5
