#include "CommandFaces.h"

#include "BitmapButton.h"
#include "ResourceIds.h"

#include <QCoreApplication>

namespace pelto5 {

namespace {

// The word on a command button's face, by its normal image, and what the button does.
struct Face {
    int image;
    const char* word;
    const char* does;
};
constexpr Face kFaces[] = {
    {kSaveFaces.normal, QT_TRANSLATE_NOOP("CommandFaces", "SAVE"),
     QT_TRANSLATE_NOOP("CommandFaces",
                       "Writes the ship file, keeping the old one as a numbered backup")},
    {kCopyFaces.normal, QT_TRANSLATE_NOOP("CommandFaces", "COPY"),
     QT_TRANSLATE_NOOP("CommandFaces", "Takes the markers' places")},
    {kPasteFaces.normal, QT_TRANSLATE_NOOP("CommandFaces", "PASTE"),
     QT_TRANSLATE_NOOP("CommandFaces", "Puts the markers back where COPY took them")},
    {kExitFaces.normal, QT_TRANSLATE_NOOP("CommandFaces", "EXIT"),
     QT_TRANSLATE_NOOP("CommandFaces", "Leaves at once, without saving")},
    {kClearFaces.normal, QT_TRANSLATE_NOOP("CommandFaces", "CLEAR"),
     QT_TRANSLATE_NOOP("CommandFaces", "Sends every marker to the tray")},
    {kOpenFaces.normal, QT_TRANSLATE_NOOP("CommandFaces", "OPEN"),
     QT_TRANSLATE_NOOP("CommandFaces", "Opens a ship file and its two pictures")},
    {kResetFaces.normal, QT_TRANSLATE_NOOP("CommandFaces", "RESET"),
     QT_TRANSLATE_NOOP("CommandFaces", "Puts the markers back where the ship file had them")},
    {kSnapOffFaces.normal, QT_TRANSLATE_NOOP("CommandFaces", "STICKY OFF"),
     QT_TRANSLATE_NOOP("CommandFaces", "Carried markers follow the pointer pixel by pixel")},
    {kSnapLowFaces.normal, QT_TRANSLATE_NOOP("CommandFaces", "STICKY LOW"),
     QT_TRANSLATE_NOOP("CommandFaces", "Carried markers snap to 8 pixels")},
    {kSnapHighFaces.normal, QT_TRANSLATE_NOOP("CommandFaces", "STICKY HIGH"),
     QT_TRANSLATE_NOOP("CommandFaces", "Carried markers snap to 16 pixels")},
    {kDataFaces.normal, QT_TRANSLATE_NOOP("CommandFaces", "DATA"),
     QT_TRANSLATE_NOOP("CommandFaces", "Shows the support page")},
};

void NameByCurrentFace(BitmapButton* button) {
    for (const Face& face : kFaces)
        if (face.image == button->NormalBitmap()) {
            button->setAccessibleName(QCoreApplication::translate("CommandFaces", face.word));
            button->setAccessibleDescription(
                QCoreApplication::translate("CommandFaces", face.does));
        }
}

} // namespace

void NameByFace(BitmapButton* button) {
    NameByCurrentFace(button);
    QObject::connect(button, &BitmapButton::facesChanged, button,
                     [button] { NameByCurrentFace(button); });
}

} // namespace pelto5
