// The whole job can be done from the keyboard in the real X server, with no
// window manager: the keys come back to the editor after every dialog and
// popup, F1 shows the keys, and the support dialog's link opens by Tab and
// Enter or Space.
#include "Desktop.h"

#include "SavedShip.h"

#include "../ui/DialogLook.h"

using namespace pelto5;

namespace {

class KeyboardOnly : public DisplayTest {
protected:
    void Start(const QProcessEnvironment& env = {}) {
        StartEditor({dir.filePath("Corvette.gf")}, env);
        if (HasFatalFailure())
            return;
        main = desktop.Windows();
    }
    // Waits for the editor's dialog, message or popup; empty when none came.
    QString Dialog() const { return desktop.WaitForNewWindow(main); }
    // Waits until only the editor's window is left.
    bool DialogsGone() const {
        return desktop.WaitUntil([&] { return desktop.Windows() == main; });
    }

    const std::string original =
        FileBytes(QStringLiteral(PELTO5_SOURCE_DIR "/examples/Corvette.gf"));
    QStringList main;
};

} // namespace

// With no window manager, X would leave the keyboard focus on the root window
// once a dialog closed: each key below reaches the editor without a click,
// and each undo or redo shows in the next save.
TEST_F(KeyboardOnly, EveryDialogGivesTheKeysBackToTheEditor) {
    Start();
    if (HasFatalFailure())
        return;
    // VLWeapon22, from the tray to the VL picture: clicks, as a person starts.
    desktop.ClickAt(100, 480);
    desktop.MoveTo(305, 203);
    desktop.ClickAt(305, 203);
    const std::string dropped = SavedShip(original, {{30, {305, 203, 347, 235}}});
    const std::string loaded = SavedShip(original);

    // Shows a dialog with open and closes it with keys.
    auto through = [&](const char* what, const std::function<void()>& open,
                       const QStringList& close) {
        open();
        EXPECT_FALSE(Dialog().isEmpty()) << what << " did not show";
        for (const QString& key : close)
            desktop.Key(key);
        EXPECT_TRUE(DialogsGone()) << what << " did not close";
    };
    auto key = [&](const QString& key) { return [&, key] { desktop.Key(key); }; };
    // Ctrl+O, a name typed into the file dialog, and Enter; what follows
    // comes once the file dialog is gone.
    auto open = [&](const QString& name) {
        return [&, name] {
            desktop.Key("ctrl+o");
            const QString files = Dialog();
            desktop.Type(dir.filePath(name));
            desktop.Key("Return");
            EXPECT_TRUE(desktop.WaitUntil([&] { return !desktop.Windows().contains(files); }));
        };
    };

    through("OPEN", key("ctrl+o"), {"Escape"});
    desktop.Key("ctrl+z");
    EXPECT_EQ(Save(), loaded) << "Ctrl+Z after OPEN's Esc";

    desktop.Key("ctrl+y");
    through("the unsaved-work question", open("Corvette.gf"), {"Escape"});
    desktop.Key("ctrl+z");
    EXPECT_EQ(Save(), loaded) << "Ctrl+Z after the question's Cancel";

    // F1 while VLWeapon22 is carried: it is dropped where it is, then the
    // about box shows.
    desktop.ClickAt(100, 480);
    desktop.MoveTo(305, 203);
    through("the about box", key("F1"), {"Escape"});
    EXPECT_EQ(Save(), dropped) << "Ctrl+S after the about box";

    through("the find popup", key("ctrl+f"), {"Escape"});
    desktop.Key("ctrl+z");
    EXPECT_EQ(Save(), loaded) << "Ctrl+Z after the find popup";

    through("the support dialog", [&] { desktop.ClickAt(762, 484); }, {"Escape"});
    desktop.Key("ctrl+y");
    EXPECT_EQ(Save(), dropped) << "Ctrl+Y after the support dialog";

    through("a failure message", open("CorvetteVL.bmp"), {"Return"});
    desktop.Key("ctrl+z");
    EXPECT_EQ(Save(), loaded) << "Ctrl+Z after a failure message";

    // Another program changes the file; the question is cancelled, and the
    // next Ctrl+S asks again.
    {
        QFile file(dir.filePath("Corvette.gf"));
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write("; changed\r\n");
    }
    through("the changed-on-disk question", key("ctrl+s"), {"Escape"});
    through("the changed-on-disk question again", key("ctrl+s"), {"Escape"});
}

// The support dialog opens from the keyboard; there Tab goes from EXIT to the
// link, which shows the focus cue, and Space or Enter opens the donation page.
// After a failure's message the keys are the support dialog's again.
TEST_F(KeyboardOnly, SupportLinkOpensWithTabAndSpaceOrEnter) {
    // A desktop whose web browser notes each page it is asked to open, and
    // fails from the third on, with no other browser to fall back on.
    QTemporaryDir bin;
    const QString opened = bin.filePath("opened");
    const std::pair<const char*, QString> tools[] = {
        {"xdg-open",
         QStringLiteral("printf '%s\\n' \"$1\" >> '%1'; [ $(wc -l < '%1') -le 2 ]").arg(opened)},
        {"xdg-mime", "exit 3"}};
    for (const auto& [tool, body] : tools) {
        QFile script(bin.filePath(tool));
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(("#!/bin/sh\n" + body + "\n").toUtf8());
        script.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    }
    QProcessEnvironment env;
    env.insert("PATH", bin.path() + ":" + qEnvironmentVariable("PATH"));
    Start(env);
    if (HasFatalFailure())
        return;
    for (const char* key : {"Tab", "Tab", "Tab", "Tab", "space"}) // SAVE, EXIT, OPEN, STICKY, DATA
        desktop.Key(key);
    const QString support = Dialog();
    ASSERT_FALSE(support.isEmpty()) << "Space on DATA showed no support dialog";

    const QImage before = desktop.SteadyScreenshot(support);
    desktop.Key("Tab");
    const QImage after = desktop.SteadyScreenshot(support);
    int cue = 0, other = 0;
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x) {
            const QRgb shown = after.pixel(x, y);
            if (shown == before.pixel(x, y))
                continue;
            const bool dot = shown == qRgb(0, 0, 0) || shown == qRgb(255, 255, 255);
            (dot && look::kLinkTemplate.contains(x, y) ? cue : other)++;
        }
    EXPECT_GT(cue, 40) << "no focus cue on the link";
    EXPECT_EQ(other, 0) << "more changed than the link's cue";

    const QString page = MeDlg::DonationAddress();
    auto pages = [&] {
        return QString::fromUtf8(FileBytes(opened).c_str()).split('\n', Qt::SkipEmptyParts);
    };
    desktop.Key("space");
    EXPECT_TRUE(desktop.WaitUntil([&] { return pages() == QStringList{page}; }))
        << "Space opened no page";
    desktop.Key("Return");
    EXPECT_TRUE(desktop.WaitUntil([&] {
        return pages() == QStringList({page, page});
    })) << "Enter opened no page";
    EXPECT_TRUE(desktop.Windows().contains(support)) << "Enter on the link closed the dialog";

    // A page that cannot open: its message closes with Enter, and the keys
    // go back to the support dialog beneath it.
    main << support;
    desktop.Key("space");
    EXPECT_FALSE(Dialog().isEmpty()) << "no message for a page that did not open";
    desktop.Key("Return");
    EXPECT_TRUE(DialogsGone()) << "the message did not close";
    main.removeOne(support);
    desktop.Key("Escape");
    EXPECT_TRUE(DialogsGone()) << "Esc did not reach the support dialog";
}
