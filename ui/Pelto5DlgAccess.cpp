// What the window tells people who do not see it, and keyboard users: every
// control's accessible name and description, and the Tab order.
#include "Pelto5Dlg.h"

#include "KeyboardCues.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>

namespace pelto5 {

namespace {

// The word on a command button's face, by its normal image, and what the button does.
struct Face {
    int image;
    const char* word;
    const char* does;
};
constexpr Face kFaces[] = {
    {277, "SAVE", "Writes the ship file, keeping the old one as a numbered backup"},
    {226, "COPY", "Takes the markers' places"},
    {224, "PASTE", "Puts the markers back where COPY took them"},
    {281, "EXIT", "Leaves at once, without saving"},
    {217, "CLEAR", "Sends every marker to the tray"},
    {279, "OPEN", "Opens a ship file and its two pictures"},
    {214, "RESET", "Puts the markers back where the ship file had them"},
    {286, "STICKY OFF", "Carried markers follow the pointer pixel by pixel"},
    {284, "STICKY LOW", "Carried markers snap to 8 pixels"},
    {282, "STICKY HIGH", "Carried markers snap to 16 pixels"},
    {218, "DATA", "Shows the support page"},
};

void NameByFace(BitmapButton* button) {
    for (const Face& face : kFaces)
        if (face.image == button->NormalBitmap()) {
            button->setAccessibleName(QString::fromLatin1(face.word));
            button->setAccessibleDescription(QString::fromLatin1(face.does));
        }
}

} // namespace

void Pelto5Dlg::NameControls() {
    for (BitmapButton* button : {m_btnSave, m_btnOpen, m_btnExit, m_btnSticky, m_btnCopy,
                                 m_btnReset, m_btnClear, m_btnData}) {
        NameByFace(button);
        // COPY turns into PASTE and the snap button cycles its setting.
        connect(button, &BitmapButton::facesChanged, this, [button] { NameByFace(button); });
    }
    for (int i = 0; i < kHardpointCount; ++i) {
        m_markers[i]->setAccessibleName(QString::fromStdString(m_model.Name(i)));
        DescribeMarker(i);
    }
    const char* readouts[] = {"Pointer x in the window", "Pointer y in the window",
                              "Pointer x on the picture", "Pointer y on the picture",
                              "Hardpoint name"};
    for (size_t k = 0; k < m_edits.size(); ++k)
        m_edits[k]->setAccessibleName(QString::fromLatin1(readouts[k]));
    m_edits[4]->setAccessibleDescription(QStringLiteral("The carried hardpoint, in capitals"));
    m_stcVL->setAccessibleName(QStringLiteral("VL picture"));
    m_stcTI->setAccessibleName(QStringLiteral("TI picture"));
    DescribePictures();
}

void Pelto5Dlg::DescribeMarker(int i) {
    // The place a save would write, as the ship file gives it.
    const Rect file = m_model.RelativeMarkerRect(i, kRelativeToPicture);
    const QString place = file.top < kOnPictureLimit
                              ? QStringLiteral("on the %1 picture at %2, %3")
                                    .arg(QLatin1String(IsTiGroup(i) ? "TI" : "VL"))
                                    .arg(file.left)
                                    .arg(file.top)
                              : QStringLiteral("in the tray");
    m_markers[i]->setAccessibleDescription(place);
}

void Pelto5Dlg::DescribePictures() {
    auto describe = [](QLabel* picture, const QString& path) {
        picture->setAccessibleDescription(picture->pixmap().isNull()
                                              ? QStringLiteral("no ship open")
                                              : QFileInfo(path).fileName());
    };
    describe(m_stcVL, m_strPath);
    describe(m_stcTI, QFile::decodeName(m_strTIPath.c_str()));
}

void Pelto5Dlg::OrderTabStops() {
    // Along the screen: the command buttons column by column, left column
    // first, then the markers in table order.
    QWidget* const order[] = {m_btnCopy, m_btnClear, m_btnReset,  m_btnSave,
                              m_btnExit, m_btnOpen,  m_btnSticky, m_btnData};
    QWidget* last = nullptr;
    for (QWidget* control : order) {
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
}

} // namespace pelto5
