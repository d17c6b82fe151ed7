// What a screen reader meets through the desktop's accessibility bus: every
// dialog and popup named, the support dialog's link as a link, and a spoken
// status heard each time it says something.
#include "AccessibilityBus.h"

#include "../ui/DialogLook.h"
#include "AboutDlg.h"

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
