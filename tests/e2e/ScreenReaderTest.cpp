// What a screen reader meets through the desktop's accessibility bus: every
// dialog and popup named, the support dialog's link as a link, a spoken
// status heard each time it says something, and the keys following the
// marker worked on through a whole job.
#include "AccessibilityBus.h"

#include "../ui/DialogLook.h"
#include "AboutDlg.h"
#include "PictureLayout.h"

#include <algorithm>

using namespace pelto5;

namespace {

// Whether nodes hold an object of role named name.
bool Holds(const QList<QStringList>& nodes, const QString& role, const QString& name) {
    return std::any_of(nodes.begin(), nodes.end(), [&](const QStringList& node) {
        return node.value(0) == role && node.value(1) == name;
    });
}

class ScreenReader : public EditorAccessibilityTest {};

} // namespace

TEST_F(ScreenReader, EveryDialogAndPopupIsNamedAndTheLinkIsALink) {
    const QStringList main = desktop.Windows();
    // Opens a dialog with key (or a click), takes what a screen reader finds, and closes it.
    auto shown = [&](const std::function<void()>& open) {
        open();
        EXPECT_FALSE(desktop.WaitForNewWindow(main).isEmpty());
        const QList<QStringList> nodes = Tree();
        desktop.Key("Escape");
        EXPECT_TRUE(desktop.WaitUntil([&] { return desktop.Windows() == main; }));
        return nodes;
    };
    const QList<QStringList> about = shown([&] { desktop.Key("F1"); });
    EXPECT_TRUE(Holds(about, "dialog", "About Pelto5"));
    for (const QString& line : AboutDlg::KeyLines())
        EXPECT_TRUE(Holds(about, "label", line)) << line.toStdString();

    // A popup is no child of the application: a screen reader meets it as
    // its line takes the focus.
    const QString findLine = QStringLiteral("text\tName to find\tFind a hardpoint");
    const QString heard = Hear(
        {"focus", "30"},
        [&] {
            desktop.Key("ctrl+f");
            EXPECT_FALSE(desktop.WaitForNewWindow(main).isEmpty());
            desktop.Key("Escape");
            EXPECT_TRUE(desktop.WaitUntil([&] { return desktop.Windows() == main; }));
        },
        [&](const QString& heard) { return heard.contains(findLine); });
    EXPECT_TRUE(heard.contains(findLine)) << heard.toStdString();

    const QList<QStringList> support = shown([&] { desktop.ClickAt(762, 484); }); // DATA
    EXPECT_TRUE(Holds(support, "dialog", "Support page"));
    EXPECT_TRUE(Holds(support, "link", look::kLinkText));
}

// A window of the test's own with a spoken status: each text typed into it
// is said, and heard as the status bar's new name, the same text again too.
class SpokenStatusHeard : public AccessibilityTest {
protected:
    void SetUp() override {
        AccessibilityTest::SetUp();
        if (SetUpStopped())
            return;
        ASSERT_TRUE(desktop.StartProgram(QStringLiteral(PELTO5_PROBE_PATH), {},
                                         QStringLiteral("Spoken status probe"), m_env));
    }
};

TEST_F(SpokenStatusHeard, EachTextSaidIsHeard) {
    desktop.FocusEditor();
    auto say = [&](const QString& text) {
        desktop.Type(text);
        desktop.Key("Return");
    };
    // Each attempt says its own texts: the same one twice, then another.
    int attempts = 0;
    auto saved = [](int n) { return QStringLiteral("Saved %1.gf\t").arg(n); };
    auto undone = [](int n) { return QStringLiteral("Undone %1\t").arg(n); };
    auto heardAll = [&](const QString& heard) {
        for (int n = 1; n <= attempts; ++n)
            if (heard.count(saved(n)) == 2 && heard.contains(undone(n)))
                return true;
        return false;
    };
    const QString heard = Hear(
        {"listen", "30", "accessible-name"},
        [&] {
            ++attempts;
            say(saved(attempts).trimmed());
            say(saved(attempts).trimmed());
            say(undone(attempts).trimmed());
        },
        heardAll);
    EXPECT_TRUE(heardAll(heard)) << heard.toStdString();
    EXPECT_TRUE(Holds(Tree(), "status bar", undone(attempts).trimmed()));
}

namespace {

// The editor with no ship yet, and a screen reader's side hearing what it
// would speak, line by line, through a whole job.
class ScreenReaderJob : public EditorAccessibilityTest {
protected:
    void TearDown() override {
        m_listener.kill();
        m_listener.waitForFinished(5000);
        EditorAccessibilityTest::TearDown();
    }
    // Starts hearing: Ctrl+Z, with nothing to undo, until that is heard, for
    // the listener hears from a moment after it says it is ready.
    bool Listen() {
        Run(m_listener, "job", {"240"});
        if (!m_listener.waitForReadyRead(30000) || m_listener.readLine().trimmed() != "ready")
            return false;
        for (int attempt = 0; attempt < 5; ++attempt) {
            desktop.Key("ctrl+z");
            if (Heard("name\tstatus bar\tNothing to undo", 3000))
                return true;
        }
        return false;
    }
    // Waits for a line that begins with start, heard after the line waited
    // for last.
    bool Heard(const QString& start, int ms = 10000) {
        const QString line = '\n' + start;
        return Desktop::WaitUntil(
            [&] {
                m_listener.waitForReadyRead(100); // the pipe is read only while waiting
                m_heard += QString::fromUtf8(m_listener.readAll());
                const qsizetype at = m_heard.indexOf(line, m_from);
                if (at >= 0)
                    m_from = at + line.size();
                return at >= 0;
            },
            ms);
    }
    QString All() const { return m_heard; }

    QProcess m_listener;
    QString m_heard = QStringLiteral("\n");
    qsizetype m_from = 0;
};

} // namespace

// Open, Ctrl+F, a carry with the mouse and a nudge, Space's drop, undo, redo
// and save: the picked-up marker takes the focus and keeps it, its
// description tells where it stands at each step, and each result is said.
TEST_F(ScreenReaderJob, FocusFollowsTheMarkerAndEachResultIsHeard) {
    ASSERT_TRUE(Listen()) << All().toStdString();
    const QStringList main = desktop.Windows();
    desktop.Key("ctrl+o");
    EXPECT_FALSE(desktop.WaitForNewWindow(main).isEmpty());
    desktop.Type(dir.filePath("Corvette.gf"));
    desktop.Key("Return");
    EXPECT_TRUE(Heard("name\tstatus bar\tOpened Corvette.gf")) << All().toStdString();

    // Keys pass the accessibility bus on their way: typed once the line has the focus.
    desktop.Key("ctrl+f");
    EXPECT_TRUE(Heard("focus\ttext\tName to find")) << All().toStdString();
    desktop.Type("Weapon22");
    desktop.Key("Return");
    EXPECT_TRUE(Heard("focus\tpush button\tWeapon22\tcarried, over the ")) << All().toStdString();
    const QStringList carried = Focused();
    ASSERT_EQ(carried.size(), 3);
    EXPECT_EQ(carried.mid(0, 2), (QStringList{"push button", "Weapon22"}));
    EXPECT_TRUE(carried[2].startsWith("carried, over the ")) << carried[2].toStdString();

    // The marker's top-left follows the pointer; its file point is what a save writes.
    const Point file = kTiPicture.ClientToFile({700, 100});
    auto place = [&](const char* words, int dx) {
        return QStringLiteral("%1 the TI picture at %2, %3")
            .arg(words)
            .arg(file.x + dx)
            .arg(file.y);
    };
    desktop.MoveTo(700, 100);
    EXPECT_TRUE(Heard("description\tpush button\tWeapon22\t" + place("carried, over", 0)))
        << All().toStdString();
    desktop.Key("Right");
    EXPECT_TRUE(Heard("description\tpush button\tWeapon22\t" + place("carried, over", 1)))
        << All().toStdString();
    desktop.Key("space");
    EXPECT_TRUE(Heard("description\tpush button\tWeapon22\t" + place("on", 1)))
        << All().toStdString();
    EXPECT_EQ(Focused(), (QStringList{"push button", "Weapon22", place("on", 1)}));

    desktop.Key("ctrl+z");
    EXPECT_TRUE(Heard("description\tpush button\tWeapon22\tin the tray")) << All().toStdString();
    EXPECT_TRUE(Heard("name\tstatus bar\tUndone: Weapon22 moved")) << All().toStdString();
    desktop.Key("ctrl+y");
    EXPECT_TRUE(Heard("name\tstatus bar\tRedone: Weapon22 moved")) << All().toStdString();
    EXPECT_EQ(Focused(), (QStringList{"push button", "Weapon22", place("on", 1)}));
    desktop.Key("ctrl+s");
    EXPECT_TRUE(Heard("name\tstatus bar\tSaved Corvette.gf")) << All().toStdString();
}
