// The window's side of keeping work: the close request a window manager
// sends, a carried marker, Overwrite, and ship names that are no valid text.
#include "EditorFixture.h"

#include "FileSystem.h"

#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <unistd.h>

using namespace pelto5;

namespace {

constexpr int kCancel = 2;
constexpr int kSave = 0;
constexpr int kOverwrite = 1;
constexpr int kDiscard = 1;

std::string BytesAt(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class UnsavedWorkUi : public SampleShipTest {
protected:
    void SetUp() override {
        SampleShipTest::SetUp();
        dlg->SetQuestion([this](QWidget*, const QString& text, const QStringList&) {
            asked << text;
            return answer;
        });
    }

    QStringList asked;
    int answer = kCancel;
};

} // namespace

TEST_F(UnsavedWorkUi, TheCloseRequestAsksAndACarryCounts) {
    dlg->OpenShip(ship);
    const std::string original = BytesAt(QFile::encodeName(ship).toStdString());
    const QRect tray = Geometry(3030);
    Click(3030); // VLWeapon22 picked up, carried off
    MoveTo(QPoint(300, 200));
    EXPECT_TRUE(dlg->HasUnsavedWork());
    dlg->close(); // as a window manager asks
    EXPECT_EQ(asked, QStringList{"Save changes to Corvette.gf?"});
    EXPECT_TRUE(dlg->isVisible());
    // Cancel ends the carry where the marker was picked up.
    EXPECT_EQ(dlg->DragState(), 0);
    EXPECT_EQ(Geometry(3030), tray);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_FALSE(dlg->HasUnsavedWork());

    // Picked up and not yet moved, a carry still counts; Save drops it and saves.
    Click(3030);
    EXPECT_TRUE(dlg->HasUnsavedWork());
    answer = kSave;
    dlg->close();
    EXPECT_EQ(asked.size(), 2);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(dlg->DragState(), 0);
    EXPECT_EQ(BytesAt(QFile::encodeName(dir.filePath("Corvette.001")).toStdString()), original);
    EXPECT_EQ(exits, 0);
}

TEST_F(UnsavedWorkUi, OverwriteWritesTheLinesAsReadAndKeepsTheChangeAsBackup) {
    dlg->OpenShip(ship);
    const std::string expected = dlg->Model().ShipFileContent();
    const QByteArray changed = "[Other]\r\nTool=1\r\n";
    WriteText(ship, changed);
    answer = kCancel;
    Click(2110); // SAVE
    EXPECT_EQ(asked,
              QStringList{"Corvette.gf was changed by another program since it was opened."});
    EXPECT_FALSE(QFile::exists(dir.filePath("Corvette.001")));
    answer = kOverwrite;
    Click(2110);
    EXPECT_EQ(BytesAt(QFile::encodeName(ship).toStdString()), expected);
    EXPECT_EQ(BytesAt(QFile::encodeName(dir.filePath("Corvette.001")).toStdString()),
              changed.toStdString());
    Click(2110); // the file is now what the editor wrote: no question
    EXPECT_EQ(asked.size(), 2);
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
}

TEST_F(UnsavedWorkUi, Latin1NamesOpenByDropAndByAShownName) {
    const std::string folder = QFile::encodeName(dir.path()).toStdString() + "/";
    const std::string latin1 = folder + "Sch\xe4"
                                        "d";
    for (const char* suffix : {".gf", "VL.bmp", "TI.bmp"})
        ASSERT_EQ(std::rename((folder + "Corvette" + suffix).c_str(), (latin1 + suffix).c_str()),
                  0);

    QMimeData data;
    data.setUrls({QUrl(QStringLiteral("file://") + dir.path() + "/Sch%E4d.gf")});
    // A drop onto unsaved moves asks first; Cancel keeps the open ship.
    dlg->OpenShip(dir.filePath("none.gf"));
    dlg->MoveMarker(30, {300, 200, 342, 232});
    Drop(data);
    EXPECT_EQ(asked.size(), 1);
    EXPECT_EQ(dlg->Model().ShipPath(), QFile::encodeName(dir.filePath("none.gf")).toStdString());
    answer = kDiscard;
    Drop(data);
    EXPECT_EQ(dlg->Model().ShipPath(), latin1 + ".gf");
    EXPECT_FALSE(dlg->Picture(1003)->pixmap().isNull());
    EXPECT_GT(dlg->Model().LineCount(), 0);

    // The dialog shows the name with a replacement letter: it stands for the one entry.
    dlg->OpenShip(dir.filePath("none.gf"));
    Open(dir.filePath(QStringLiteral("Sch\uFFFDd.gf")));
    EXPECT_EQ(dlg->Model().ShipPath(), latin1 + ".gf");
    // Two entries show alike: refused, and nothing is made.
    std::ofstream(folder + "Sch\xf6"
                           "d.gf")
        << "x";
    dlg->OpenShip(dir.filePath("none.gf"));
    Open(dir.filePath(QStringLiteral("Sch\uFFFDd.gf")));
    EXPECT_EQ(dlg->Model().ShipPath(), QFile::encodeName(dir.filePath("none.gf")).toStdString());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains("no single file in its folder matches it"));
    for (const char* name : {"Sch\xe4"
                             "d.gf",
                             "Sch\xe4"
                             "dVL.bmp",
                             "Sch\xe4"
                             "dTI.bmp",
                             "Sch\xf6"
                             "d.gf"})
        ::unlink((folder + name).c_str());
}

// The two questions as the user sees them: the application's colours, every
// answer whole on its button, Save the default and Cancel on Esc.
TEST_F(UnsavedWorkUi, TheQuestionsShowEveryAnswerWhole) {
    Pelto5Dlg window(RealFileSystem());
    window.show();
    window.OpenShip(ship);
    window.MoveMarker(30, {300, 200, 342, 232});
    QStringList seen;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        seen << box->text();
        EXPECT_EQ(box->palette().color(QPalette::Window), QColor(Qt::black));
        EXPECT_EQ(box->palette().color(QPalette::WindowText), QColor(198, 181, 239));
        for (QAbstractButton* button : box->buttons()) {
            const QString text = QString(button->text()).remove('&');
            EXPECT_LT(QFontMetrics(button->font()).horizontalAdvance(text), button->width())
                << text.toStdString();
        }
        const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        ASSERT_NE(label, nullptr);
        EXPECT_GE(label->height(), label->heightForWidth(label->width()));
        ASSERT_NE(box->defaultButton(), nullptr);
        EXPECT_TRUE(box->defaultButton()->text().startsWith("&Save"));
        ASSERT_NE(box->escapeButton(), nullptr);
        EXPECT_EQ(box->escapeButton()->text(), "Cancel");
        QTest::keyClick(box, Qt::Key_Escape);
    });
    poll.start(10);
    window.close();
    WriteText(ship, "[Other]\r\n");
    window.OnSave();
    EXPECT_EQ(seen,
              (QStringList{"Save changes to Corvette.gf?",
                           "Corvette.gf was changed by another program since it was opened."}));
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(BytesAt(QFile::encodeName(ship).toStdString()), "[Other]\r\n");
}

namespace {

// The real file system, counting the reads of each file and the files written.
class CountingFileSystem final : public FileSystem {
public:
    std::map<std::string, int> reads;
    int written = 0;

    int ReadAll(const std::string& path, std::string& bytes) override {
        ++reads[path];
        return m_fs.ReadAll(path, bytes);
    }
    int Lstat(const std::string& p, bool& exists, bool& isLink, mode_t& mode) override {
        return m_fs.Lstat(p, exists, isLink, mode);
    }
    int RealPath(const std::string& p, std::string& resolved) override {
        return m_fs.RealPath(p, resolved);
    }
    int CreateTemp(const std::string& hint, int& fd, std::string& path) override {
        ++written;
        return m_fs.CreateTemp(hint, fd, path);
    }
    int CreateExclusive(const std::string& p, mode_t mode, int& fd) override {
        ++written;
        return m_fs.CreateExclusive(p, mode, fd);
    }
    int SetMode(int fd, mode_t mode) override { return m_fs.SetMode(fd, mode); }
    int Write(int fd, const char* data, size_t size, size_t& done) override {
        return m_fs.Write(fd, data, size, done);
    }
    int Sync(int fd) override { return m_fs.Sync(fd); }
    int Close(int fd) override { return m_fs.Close(fd); }
    int LinkNoReplace(const std::string& from, const std::string& to) override {
        return m_fs.LinkNoReplace(from, to);
    }
    int Rename(const std::string& from, const std::string& to) override {
        return m_fs.Rename(from, to);
    }
    int Unlink(const std::string& p) override { return m_fs.Unlink(p); }
    int SyncDirectory(const std::string& d) override { return m_fs.SyncDirectory(d); }
    mode_t NewFileMode() override { return m_fs.NewFileMode(); }

private:
    FileSystem& m_fs = RealFileSystem();
};

} // namespace

// Opening reads the ship file once; a save reads it once more (to see whether
// another program changed it) and writes it once, also into a changed file.
TEST_F(UnsavedWorkUi, OpenAndSaveReadTheShipOnce) {
    CountingFileSystem fs;
    Pelto5Dlg window(fs);
    window.SetQuestion([](QWidget*, const QString&, const QStringList&) { return kSave; });
    const std::string path = QFile::encodeName(ship).toStdString();
    window.OpenShip(ship);
    EXPECT_EQ(fs.reads[path], 1);
    window.Model().PlaceHardpoint(34, 5, 6);
    window.OnSave();
    EXPECT_EQ(fs.reads[path], 2);
    EXPECT_EQ(fs.written, 1);

    std::ofstream(path, std::ios::app) << "Mod=1\r\n";
    window.Model().PlaceHardpoint(34, 7, 8);
    window.OnSave(); // asked, and saved into the changed file
    EXPECT_EQ(fs.reads[path], 3);
    EXPECT_EQ(fs.written, 2);
    EXPECT_NE(BytesAt(path).find("Mod=1\r\n"), std::string::npos);
    EXPECT_NE(BytesAt(path).find("Weapon1=7,8\r\n"), std::string::npos);
}
