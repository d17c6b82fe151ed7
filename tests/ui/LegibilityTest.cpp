// Every control is legible to people and to screen readers: the read-out font
// measured among Debian's narrow faces, an accessible name and description for
// every control, kept current as markers move, and the Tab order along the screen.
#include "DialogLook.h"
#include "EditorFixture.h"

#include "DialogFont.h"
#include "HardpointTable.h"
#include "MeDlg.h"
#include "ShipModel.h"
#include "ShipText.h"

#include <QAccessible>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QSet>

#include <cstdio>
#include <optional>

using namespace pelto5;

namespace {

QString UpperName(int i) {
    return QString::fromStdString(ToUpperCopy(HardpointNames()[i]));
}

int WidestName(const QFont& font) {
    const QFontMetrics metrics(font);
    int widest = 0;
    for (int i = 0; i < kHardpointCount; ++i)
        widest = std::max(widest, metrics.horizontalAdvance(UpperName(i)));
    return widest;
}

// Each heavy narrow face at the tallest cell the name read-out's box holds,
// squeezed until the widest name fits between the box's margins: the face
// that keeps the most of its own width wins, the taller capitals on a tie.
TEST(ReadoutFont, IsTheHeavyFaceThatKeepsMostOfItsWidthWithEveryNameWhole) {
    constexpr int kEditMargin = 2;
    const int room = look::kNameReadout.width() - 2 * kEditMargin;
    const char* families[] = {
        "Liberation Sans Narrow", "PT Sans Narrow",   "DejaVu Sans Condensed", "Nimbus Sans Narrow",
        "TeX Gyre Heros Cn",      "Roboto Condensed", "Open Sans Condensed",   "Bebas Neue"};
    struct Fit {
        QFont font;
        double kept;
        double capHeight;
    };
    std::optional<Fit> best;
    std::printf("%-24s %3s %4s %7s %7s %6s %5s %4s\n", "family (heaviest face)", "px", "cell",
                "natural", "stretch", "fitted", "kept", "caps");
    for (const char* family : families) {
        const QString name = QString::fromLatin1(family);
        int heaviest = 0;
        for (const QString& style : QFontDatabase::styles(name))
            heaviest = std::max(heaviest, QFontDatabase::weight(name, style));
        QFont font(name);
        font.setWeight(QFont::Black);
        if (!QFontInfo(font).family().startsWith(name) || heaviest < QFont::Bold)
            continue; // not installed here, or no heavy face
        int pixels = 40;
        for (font.setPixelSize(pixels);
             pixels > 1 && QFontMetrics(font).height() > look::kNameReadout.height();)
            font.setPixelSize(--pixels);
        const int natural = WidestName(font);
        int stretch = 100;
        for (font.setStretch(stretch); stretch > 1 && WidestName(font) > room;)
            font.setStretch(--stretch);
        const Fit fit{font, double(WidestName(font)) / natural, QFontMetricsF(font).capHeight()};
        std::printf("%-24s %3d %4d %7d %6d%% %6d %4.0f%% %4.1f\n", family, pixels,
                    QFontMetrics(font).height(), natural, stretch, WidestName(font), 100 * fit.kept,
                    fit.capHeight);
        if (!best || fit.kept > best->kept ||
            (fit.kept == best->kept && fit.capHeight > best->capHeight))
            best = fit;
    }
    ASSERT_TRUE(best.has_value()) << "no heavy narrow face is installed (tools/setup.sh)";
    const QFont chosen = ReadoutFont();
    EXPECT_TRUE(QFontInfo(chosen).family().startsWith(chosen.family()))
        << chosen.family().toStdString() << " is not installed (tools/setup.sh)";
    EXPECT_EQ(chosen.family(), best->font.family());
    EXPECT_EQ(chosen.pixelSize(), best->font.pixelSize());
    EXPECT_EQ(chosen.stretch(), best->font.stretch());
    EXPECT_GE(QFontInfo(chosen).weight(), QFont::Bold);
}

QString NameOf(QObject* control, QAccessible::Text text = QAccessible::Name) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(control);
    return iface ? iface->text(text) : QStringLiteral("<none>");
}

TEST_F(EditorTest, EveryControlHasAnAccessibleNameAndNoTwoButtonsShareOne) {
    const std::pair<int, const char*> commands[] = {
        {2110, "SAVE"}, {2810, "COPY"},  {2210, "EXIT"},       {2610, "CLEAR"},
        {2310, "OPEN"}, {2510, "RESET"}, {2410, "STICKY OFF"}, {2710, "DATA"}};
    for (const auto& [id, word] : commands) {
        EXPECT_EQ(NameOf(Button(id)), word) << id;
        EXPECT_FALSE(NameOf(Button(id), QAccessible::Description).isEmpty()) << id;
    }
    EXPECT_EQ(Button(2110)->text(), "OK") << "the captions stay as they were";
    for (int i = 0; i < kHardpointCount; ++i) {
        QWidget* marker = dlg->Control(kFirstMarkerId + i);
        EXPECT_EQ(NameOf(marker), QString::fromStdString(HardpointNames()[i]));
        EXPECT_EQ(NameOf(marker, QAccessible::Description), "in the tray");
        EXPECT_EQ(qobject_cast<QAbstractButton*>(marker)->text(), "OK");
    }
    const char* readouts[] = {"Pointer x in the window", "Pointer y in the window",
                              "Pointer x on the picture", "Pointer y on the picture",
                              "Hardpoint name"};
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(NameOf(dlg->Control(1008 + k)), readouts[k]);
    EXPECT_EQ(NameOf(dlg->Picture(kVlPictureId)), "VL picture");
    EXPECT_EQ(NameOf(dlg->Picture(kTiPictureId)), "TI picture");
    EXPECT_EQ(NameOf(dlg->Picture(kVlPictureId), QAccessible::Description), "no ship open");

    // Every control a person sees is named, and no two buttons share a name.
    QSet<QString> buttonNames;
    int buttons = 0;
    for (QWidget* control : dlg->findChildren<QWidget*>()) {
        if (!control->isVisibleTo(dlg.get()))
            continue;
        EXPECT_FALSE(NameOf(control).isEmpty()) << control->metaObject()->className();
        if (qobject_cast<QAbstractButton*>(control)) {
            ++buttons;
            buttonNames << NameOf(control);
        }
    }
    EXPECT_EQ(buttons, 64);
    EXPECT_EQ(buttonNames.size(), buttons);

    // The faces change their words, and the names follow.
    dlg->OnCopy();
    dlg->OnSticky();
    EXPECT_EQ(NameOf(Button(2810)), "PASTE");
    EXPECT_EQ(NameOf(Button(2410)), "STICKY LOW");

    MeDlg support;
    EXPECT_EQ(NameOf(&support.ExitButton()), "EXIT");
    EXPECT_EQ(NameOf(&support.Message()), "Support message");
    EXPECT_EQ(NameOf(&support.Link()), support.Link().text());
    EXPECT_TRUE(
        NameOf(&support.Link(), QAccessible::Description).contains(MeDlg::DonationAddress()));
}

// Each move of a marker, whoever makes it, tells its new place (the event
// that says so reaches screen readers in the end-to-end suite).
TEST_F(EditorTest, MarkerDescriptionFollowsEveryMove) {
    Open(QStringLiteral(PELTO5_SOURCE_DIR "/examples/Corvette.gf"));
    EXPECT_EQ(NameOf(dlg->Picture(kVlPictureId), QAccessible::Description), "CorvetteVL.bmp");
    EXPECT_EQ(NameOf(dlg->Picture(kTiPictureId), QAccessible::Description), "CorvetteTI.bmp");

    QWidget* marker = dlg->Control(kFirstMarkerId + 20); // VLWeapon12
    auto expectPlace = [&](const char* step) {
        const Rect file = dlg->Model().RelativeMarkerRect(20, kRelativeToPicture);
        EXPECT_EQ(NameOf(marker, QAccessible::Description),
                  QStringLiteral("on the VL picture at %1, %2").arg(file.left).arg(file.top))
            << step;
    };
    expectPlace("open");
    PressOn(marker);
    MoveTo(QPoint(200, 150));
    Press(QPoint(200, 150));
    Release(QPoint(200, 150));
    EXPECT_EQ(NameOf(marker, QAccessible::Description), "on the VL picture at 177, 126");
    dlg->OnClear();
    EXPECT_EQ(NameOf(marker, QAccessible::Description), "in the tray");
    QTest::keyClick(dlg.get(), Qt::Key_Z, Qt::ControlModifier);
    expectPlace("undo");
    EXPECT_EQ(NameOf(dlg->Control(kFirstMarkerId + 34), QAccessible::Description),
              "on the TI picture at 66, 30"); // Weapon1, as the file has it
}

TEST_F(EditorTest, TabOrderRunsDownTheButtonColumnsThenTheMarkers) {
    std::vector<int> expected = {2810, 2610, 2510, 2110, 2210, 2310, 2410, 2710};
    for (int i = 0; i < kHardpointCount; ++i)
        expected.push_back(kFirstMarkerId + i);
    std::vector<int> order;
    QWidget* start = Button(2810);
    QWidget* w = start;
    do {
        if (w->focusPolicy() & Qt::TabFocus && w->isVisibleTo(dlg.get()))
            order.push_back(w->property("controlId").toInt());
        w = w->nextInFocusChain();
    } while (w != start);
    EXPECT_EQ(order, expected);
    EXPECT_EQ(dlg->focusWidget(), Button(2110)) << "SAVE, the template's first control";
}

} // namespace
