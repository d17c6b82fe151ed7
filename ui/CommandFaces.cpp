#include "CommandFaces.h"

#include "BitmapButton.h"
#include "ResourceIds.h"

namespace pelto5 {

namespace {

// The word on a command button's face, by its normal image, and what the button does.
struct Face {
    int image;
    const char* word;
    const char* does;
};
constexpr Face kFaces[] = {
    {kSaveFaces.normal, "SAVE", "Writes the ship file, keeping the old one as a numbered backup"},
    {kCopyFaces.normal, "COPY", "Takes the markers' places"},
    {kPasteFaces.normal, "PASTE", "Puts the markers back where COPY took them"},
    {kExitFaces.normal, "EXIT", "Leaves at once, without saving"},
    {kClearFaces.normal, "CLEAR", "Sends every marker to the tray"},
    {kOpenFaces.normal, "OPEN", "Opens a ship file and its two pictures"},
    {kResetFaces.normal, "RESET", "Puts the markers back where the ship file had them"},
    {kSnapOffFaces.normal, "STICKY OFF", "Carried markers follow the pointer pixel by pixel"},
    {kSnapLowFaces.normal, "STICKY LOW", "Carried markers snap to 8 pixels"},
    {kSnapHighFaces.normal, "STICKY HIGH", "Carried markers snap to 16 pixels"},
    {kDataFaces.normal, "DATA", "Shows the support page"},
};

void NameByCurrentFace(BitmapButton* button) {
    for (const Face& face : kFaces)
        if (face.image == button->NormalBitmap()) {
            button->setAccessibleName(QString::fromLatin1(face.word));
            button->setAccessibleDescription(QString::fromLatin1(face.does));
        }
}

} // namespace

void NameByFace(BitmapButton* button) {
    NameByCurrentFace(button);
    QObject::connect(button, &BitmapButton::facesChanged, button,
                     [button] { NameByCurrentFace(button); });
}

} // namespace pelto5
