// Comparing with a backup (Ctrl+D), typed and clicked as a person would: the
// file dialog, the "Changes" window beside the editor, the ghosts on the
// pictures beneath the markers, R, Enter, a double click and a click on the
// header, and the ways a comparison ends. Every save is checked byte for byte
// against what the reader and writer give for the layout on screen.
#include "Desktop.h"

#include "SavedShip.h"

#include "../ui/DialogLook.h"

#include "ChangesDlg.h"
#include "Colours.h"

#include <QApplication>
#include <QDirIterator>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include <map>

using namespace pelto5;

namespace {

constexpr int kWeapon1 = 34, kWeapon2 = 35;
const QRgb kGhostPixel = ToQColor(kGhost).rgb();

class Comparison : public DisplayTest {
protected:
    Comparison() : DisplayTest({"Xvfb", "xdotool", "xprop"}) {}
    void SetUp() override {
        DisplayTest::SetUp();
        if (SetUpStopped())
            return;
        ship = dir.filePath("Corvette.gf");
        original = FileBytes(ship);
        ASSERT_TRUE(home.isValid());
        m_env.insert("HOME", home.path());
        for (const char* name :
             {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME"})
            m_env.insert(name, home.filePath(QString::fromLatin1(name)));
    }

    // The sample ship with its lines replaced as given kept as its first
    // backup, and the editor started on the ship.
    void Start(const std::map<std::string, std::string>& replaced) {
        std::string backup = original;
        for (const auto& [from, to] : replaced)
            backup.replace(backup.find(from), from.size(), to);
        QFile file(dir.filePath("Corvette.001"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(backup.data(), static_cast<qint64>(backup.size()));
        file.close();
        StartEditor({ship}, m_env);
        main = desktop.Windows();
    }

    // Ctrl+D, the name typed into its dialog: the "Changes" window, once it shows.
    QString Compare(const QString& typed) {
        desktop.Key("ctrl+d");
        const QString dialog = desktop.WaitForNewWindow(main);
        if (dialog.isEmpty())
            return {};
        desktop.Type(typed);
        desktop.Key("Return");
        QString changes;
        Desktop::WaitUntil([&] {
            const QStringList now = desktop.Windows();
            for (const QString& w : now)
                if (!main.contains(w) && w != dialog)
                    changes = w;
            return !changes.isEmpty() && !now.contains(dialog);
        });
        // It takes the keys, so that R and Enter work on its rows at once.
        EXPECT_TRUE(Desktop::WaitUntil([&] {
            return !changes.isEmpty() && desktop.Xdo({"getwindowfocus"}) == changes;
        })) << "\"Changes\" did not take the keys";
        return changes;
    }
    bool Ended() {
        return Desktop::WaitUntil([&] { return desktop.Windows() == main; });
    }

    // Ctrl+S, then the ship as saved, after the backup of the saveth save.
    std::string SaveNumber(int save) {
        desktop.Key("ctrl+s");
        const QString backup =
            dir.filePath(QStringLiteral("Corvette.%1").arg(save, 3, 10, QChar('0')));
        EXPECT_TRUE(Desktop::WaitUntil([&] { return QFile::exists(backup); })) << save;
        return FileBytes(ship);
    }

    // Every file of the folder and of the home, with its bytes.
    std::map<QString, std::string> Written() const {
        std::map<QString, std::string> files;
        for (const QString& root : {dir.path(), home.path()})
            for (QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                 QDirIterator::Subdirectories);
                 it.hasNext();) {
                const QString path = it.next();
                files[path] = FileBytes(path);
            }
        return files;
    }

    // The "Changes" window as the editor lays it out for these changes, made
    // here in the same font and style: where to click on its header and rows.
    std::unique_ptr<ChangesDlg> Layout(const std::vector<HardpointChange>& changes) {
        QApplication::setStyle(QStringLiteral("Fusion"));
        auto probe = std::make_unique<ChangesDlg>(nullptr);
        probe->ShowChanges(QStringLiteral("Corvette.001"), changes);
        probe->adjustSize();
        return probe;
    }
    static QPoint RowCentre(const ChangesDlg& layout, int row) {
        const QTreeWidget* list = layout.List();
        return list->viewport()->mapTo(&layout,
                                       list->visualItemRect(list->topLevelItem(row)).center());
    }

    QString ship;
    std::string original;
    QTemporaryDir home;
    QStringList main;

private:
    QProcessEnvironment m_env;
};

} // namespace

TEST_F(Comparison, ChangesListsTheBackupsPlaceTheGhostShowsItAndRPutsItBack) {
    Start({{"Weapon1=66,30", "Weapon1=10,10"}});
    const std::map<QString, std::string> before = Written();
    const QString changes = Compare("Corvette.001"); // the dialog starts in the ship's folder
    ASSERT_FALSE(changes.isEmpty()) << "Ctrl+D showed no dialog, or no \"Changes\"";
    EXPECT_EQ(desktop.Property(changes, "_NET_WM_NAME").toStdString(), "\"Changes\"");
    EXPECT_EQ(Written(), before) << "comparing wrote something";

    // Dragged to the screen's left edge, the editor has "Changes" beside it.
    const QRect was = desktop.ScreenRect(desktop.Window());
    desktop.MoveTo(640, 300);
    desktop.Xdo({"mousedown", "1"});
    desktop.Xdo({"mousemove", QString::number(640), QString::number(was.y() + 300)});
    desktop.Xdo({"mouseup", "1"});
    desktop.Settle();
    const QRect window = desktop.ScreenRect(desktop.Window());
    const QRect beside = desktop.ScreenRect(changes);
    ASSERT_EQ(window.left(), 0);
    EXPECT_GT(beside.left(), window.right());
    EXPECT_EQ(beside.top(), window.top());
    EXPECT_TRUE(QRect(0, 0, 1280, 1024).contains(beside));

    // One row, Weapon1 from the backup's place to its own, whole.
    const HardpointChange weapon1{kWeapon1, Point{10, 10}, Point{66, 30}};
    const std::unique_ptr<ChangesDlg> layout = Layout({weapon1});
    ASSERT_EQ(beside.size(), layout->size()) << "laid out otherwise than here";
    const QImage list = desktop.SteadyScreenshot(changes);
    const QTreeWidget* rows = layout->List();
    const QRect row(rows->viewport()->mapTo(layout.get(), QPoint()),
                    rows->visualItemRect(rows->topLevelItem(0)).size());
    const QRgb face = list.pixel(row.right() - 2, row.center().y());
    const QRect ink = look::InkBounds(list, row.adjusted(2, 1, -2, -1), [face](QRgb c) {
        return std::abs(qGray(c) - qGray(face)) > 80;
    });
    const int width = QFontMetrics(DialogFont()).horizontalAdvance(ChangesDlg::RowText(weapon1));
    EXPECT_NEAR(ink.width(), width, 3) << "the row is cut, or shows another text";
    EXPECT_TRUE(
        look::InkBounds(list, QRect(row.bottomLeft() + QPoint(2, 3), row.size()), look::IsLilacInk)
            .isEmpty())
        << "a second row";

    // Weapon1's ghost where the backup has it, an outline on the TI picture
    // (client 655,22, 20 x 16), and a line from it to Weapon1's marker, which
    // covers the line's end.
    const QImage shot = desktop.SteadyScreenshot(desktop.Window());
    const QRect ghost(655, 22, 20, 16);
    int outline = 0, inside = 0, line = 0, underMarker = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) {
            if (shot.pixel(x, y) != kGhostPixel)
                continue;
            const bool onEdge =
                ghost.contains(x, y) && !ghost.adjusted(1, 1, -1, -1).contains(x, y);
            outline += onEdge;
            inside += ghost.adjusted(1, 1, -1, -1).contains(x, y);
            line += !ghost.contains(x, y) && QRect(675, 22, 40, 25).contains(x, y);
            underMarker += QRect(711, 42, 20, 16).contains(x, y);
        }
    EXPECT_EQ(outline, 2 * (20 + 16) - 4) << "the ghost's outline is not whole";
    EXPECT_EQ(inside, 0) << "the ghost is filled";
    EXPECT_GT(line, 20) << "no line from the ghost to its marker";
    EXPECT_EQ(underMarker, 0) << "the line shows over the marker";
    const QString keep = qEnvironmentVariable("PELTO5_SCREENSHOT_DIR");
    if (!keep.isEmpty()) {
        const QImage screen = desktop.Screenshot(QStringLiteral("0"));
        EXPECT_TRUE(screen.copy(window | beside).save(QDir(keep).filePath("comparison.png")));
    }

    // Clicked on its row, R puts Weapon1 back as the backup has it; Ctrl+S,
    // typed in "Changes" too, saves that and nothing else.
    const QPoint onRow = RowCentre(*layout, 0);
    desktop.ClickIn(changes, onRow.x(), onRow.y());
    desktop.Settle();
    desktop.Key("r");
    EXPECT_EQ(SaveNumber(2), SavedShip(original, {{kWeapon1, {655, 22, 675, 38}}}));
}

TEST_F(Comparison, HeaderEnterDoubleClickEscCloseAndCtrlDWorkTheirWay) {
    // Weapon2 moved farther than Weapon1 since the backup.
    Start({{"Weapon1=66,30", "Weapon1=65,30"}, {"Weapon2=58,48", "Weapon2=58,120"}});
    QString changes = Compare(dir.filePath("Corvette.001"));
    ASSERT_FALSE(changes.isEmpty());
    std::unique_ptr<ChangesDlg> layout = Layout(
        {{kWeapon1, Point{65, 30}, Point{66, 30}}, {kWeapon2, Point{58, 120}, Point{58, 48}}});
    ASSERT_EQ(desktop.ScreenRect(changes).size(), layout->size());

    // A click on the header puts Weapon2 first, above Weapon1, the current
    // row; Up goes to it and Enter picks it up; a click on the window drops it.
    const QHeaderView* header = layout->List()->header();
    const QPoint onHeader = header->mapTo(layout.get(), header->rect().center());
    desktop.ClickIn(changes, onHeader.x(), onHeader.y());
    desktop.Settle();
    desktop.Key("Up");
    desktop.Key("Return");
    desktop.ClickAt(705, 140);
    const std::string dropped = SavedShip(original, {{kWeapon2, {705, 140, 725, 156}}});
    EXPECT_EQ(SaveNumber(2), dropped);

    // Clicked, the list takes the arrows: Down and Up walk its rows and
    // nudge no marker; Ctrl+S typed there saves.
    const QPoint first = RowCentre(*layout, 0);
    // Far enough from where the double click below comes that the two are
    // not taken for one.
    desktop.ClickIn(changes, first.x() - 40, first.y());
    desktop.Settle();
    desktop.Key("Down");
    desktop.Key("Down");
    desktop.Key("Up");
    EXPECT_EQ(SaveNumber(3), dropped);

    // A double click on the first row, Weapon2 still, picks it up as well.
    desktop.Xdo(
        {"mousemove", "--window", changes, QString::number(first.x()), QString::number(first.y())});
    desktop.Xdo({"click", "--repeat", "2", "--delay", "80", "1"});
    desktop.ClickAt(690, 150);
    EXPECT_EQ(SaveNumber(4), SavedShip(original, {{kWeapon2, {690, 150, 710, 166}}}));

    // Esc in "Changes", its close button, and Ctrl+D each end the comparison,
    // ghosts and all, and give the keys back to the editor.
    desktop.ClickIn(changes, first.x(), first.y());
    desktop.Settle();
    desktop.Key("Escape");
    EXPECT_TRUE(Ended());
    changes = Compare(QStringLiteral("Corvette.001"));
    ASSERT_FALSE(changes.isEmpty());
    const QPushButton* close = layout->CloseButton();
    const QPoint onClose = close->mapTo(layout.get(), close->rect().center());
    desktop.ClickIn(changes, onClose.x(), onClose.y());
    desktop.Settle();
    EXPECT_TRUE(Ended());
    ASSERT_FALSE(Compare(QStringLiteral("Corvette.001")).isEmpty());
    desktop.Key("ctrl+d");
    EXPECT_TRUE(Ended());
    const QImage shot = desktop.SteadyScreenshot(desktop.Window());
    int ghostly = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            ghostly += shot.pixel(x, y) == kGhostPixel;
    EXPECT_EQ(ghostly, 0) << "ghosts stayed";
}
