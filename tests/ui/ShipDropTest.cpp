#include "EditorFixture.h"

#include "HardpointTable.h"

#include <QFile>
#include <QLabel>
#include <QMimeData>
#include <QUrl>

using namespace pelto5;

namespace {

// Ships dropped onto the window as a file manager drops them: an enter, then
// the drop; the open it starts runs once the drop has ended.
using ShipDropTest = SampleShipTest;

QImage Shown(const Pelto5Dlg& window, int id) {
    return window.Picture(id)->pixmap().toImage();
}

} // namespace

TEST_F(ShipDropTest, DroppedShipOpensAsOpenWould) {
    // Nothing inside the window takes drops of its own, so a drop anywhere on
    // it is the window's.
    for (const QWidget* child : dlg->findChildren<QWidget*>())
        EXPECT_FALSE(child->acceptDrops()) << child->metaObject()->className();

    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(ship)});
    EXPECT_EQ(Drop(data), std::make_pair(true, true));

    Pelto5Dlg opened(RealFileSystem());
    opened.OpenShip(ship);
    EXPECT_EQ(dlg->Model().ShipPath(), ship.toStdString());
    EXPECT_FALSE(Shown(*dlg, kVlPictureId).isNull());
    EXPECT_EQ(Shown(*dlg, kVlPictureId), Shown(opened, kVlPictureId));
    EXPECT_EQ(Shown(*dlg, kTiPictureId), Shown(opened, kTiPictureId));
    int placed = 0;
    for (int i = 0; i < kHardpointCount; ++i) {
        EXPECT_EQ(dlg->MarkerRect(i), opened.MarkerRect(i)) << i;
        placed += dlg->MarkerRect(i) != TrayRects()[i];
    }
    EXPECT_GT(placed, 50);
    EXPECT_TRUE(messages.isEmpty());

    // The next OPEN starts at the ship's VL picture, as after OPEN.
    Open(QString());
    EXPECT_EQ(promptInitial, dir.filePath("CorvetteVL.bmp"));
}

TEST_F(ShipDropTest, OtherDropsChangeNothing) {
    QMimeData text, picture, twoShips, remote, ship2;
    text.setText(ship);
    picture.setUrls({QUrl::fromLocalFile(dir.filePath("CorvetteVL.bmp"))});
    twoShips.setUrls({QUrl::fromLocalFile(ship), QUrl::fromLocalFile(ship)});
    remote.setUrls({QUrl("https://ships.example/Corvette.gf")});
    ship2.setUrls({QUrl::fromLocalFile(ship)});
    const std::pair<const char*, const QMimeData*> drops[] = {
        {"text", &text}, {"picture", &picture}, {"two ships", &twoShips}, {"remote", &remote}};

    auto expectNothingChanged = [this](const char* what, int carried = -1) {
        EXPECT_TRUE(dlg->Model().ShipPath().empty()) << what;
        EXPECT_TRUE(Shown(*dlg, kVlPictureId).isNull()) << what;
        for (int i = 0; i < kHardpointCount; ++i) {
            if (i == carried)
                continue;
            EXPECT_EQ(dlg->MarkerRect(i), TrayRects()[i]) << what << " " << i;
        }
        EXPECT_TRUE(messages.isEmpty()) << what;
    };
    for (const auto& [what, data] : drops) {
        EXPECT_EQ(Drop(*data), std::make_pair(false, false)) << what;
        expectNothingChanged(what);
    }

    // A carried marker holds the mouse: a ship dropped meanwhile is refused.
    Click(kFirstMarkerId + 30);
    ASSERT_EQ(dlg->DragState(), 1);
    EXPECT_EQ(Drop(ship2), std::make_pair(false, false));
    expectNothingChanged("while carrying", 30);
}
