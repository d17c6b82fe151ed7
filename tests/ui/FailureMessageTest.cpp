// A failure message naming a long path reads whole on a 1024-pixel-wide
// screen, and a pipe found at the ship's path at save time is called what it is.
#include "EditorFixture.h"

#include "FailureMessage.h"
#include "FileMessages.h"

#include <QDir>
#include <QFontMetrics>
#include <QLabel>
#include <QMessageBox>
#include <QTemporaryDir>

#include <cerrno>

#include <sys/stat.h>

using namespace pelto5;

TEST_F(EditorTest, AFailureWithALongPathFitsTheScreen) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = dir.filePath(QString(120, 'a') + "/" + QString(120, 'b') + "/" +
                                        QString(120, 'c') + "&<b>");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString ship = folder + "/S.gf";
    WriteText(ship, "[HardPoints]\r\nWarp=10,20\r\n");
    Open(ship);
    ASSERT_TRUE(QFile::remove(ship));
    ASSERT_EQ(::mkfifo(QFile::encodeName(ship).constData(), 0600), 0);
    Click(2110); // SAVE
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], "Could not save " + ship + ": it is not a regular file.");

    const std::unique_ptr<QMessageBox> box = MakeFailureBox(dlg.get(), messages[0]);
    box->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(box.get()));
    const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    ASSERT_NE(label, nullptr);
    const QString shown = label->text();
    // The path is elided in its middle: its start and its file name stay.
    EXPECT_TRUE(shown.startsWith("Could not save " + dir.path().left(4))) << shown.toStdString();
    EXPECT_TRUE(shown.endsWith("/S.gf: it is not a regular file.")) << shown.toStdString();
    EXPECT_LE(box->frameGeometry().width(), 1024);
    // Every word fits the label's width, and wrapped at word boundaries the
    // whole text lies inside the label.
    const QFontMetrics metrics(label->font());
    const QRect inside = label->contentsRect();
    for (const QString& word : shown.split(' '))
        EXPECT_LE(metrics.horizontalAdvance(word), inside.width()) << word.toStdString();
    const QRect needed =
        metrics.boundingRect(QRect(0, 0, inside.width(), 100000), Qt::TextWordWrap, shown);
    EXPECT_LE(needed.height(), inside.height()) << shown.toStdString();
    box->close();
}

// The model says what failed as a kind with its arguments; the window words
// each kind whole, naming the file and, where the system said why, its words.
TEST(FileMessages, EveryKindIsWordedWithItsFileAndReason) {
    using Problem = FileResult::Problem;
    using Step = FileResult::SaveStep;
    const std::string path = "/ships/Wolf 100%1.gf";
    const QString shown = QStringLiteral("/ships/Wolf 100%1.gf");
    const struct {
        FileResult result;
        QString words;
    } cases[] = {
        {FileResult::Failed(Problem::OpenRefused, path, EISDIR),
         "Could not open " + shown + ": it is a folder, not a ship file."},
        {FileResult::Failed(Problem::OpenRefused, path, EFBIG),
         "Could not open " + shown + ": it is larger than 64 MiB, far too large for a ship file."},
        {FileResult::Failed(Problem::OpenPicture, path, 0, "PNG"),
         "Could not open " + shown +
             ": it is a picture (PNG), not a ship file. Choose the ship's .gf file."},
        {FileResult::Failed(Problem::ReadFailed, path, ENODEV),
         "Could not read " + shown +
             ": it is not a regular file (a pipe, a device or a socket), so it is no ship file."},
        {FileResult::Failed(Problem::SaveTooLarge, path),
         "Could not save " + shown +
             ": it would be larger than 64 MiB, the largest ship file the editor opens, so "
             "nothing was written."},
        {FileResult::StepFailed(path, Step::MakingBackup, ENOSPC),
         "Could not save " + shown + ": making the backup (No space left on device)."},
        {FileResult::Failed(Problem::BackupNameTooLong, path, ENAMETOOLONG, ".0100"),
         "Could not save " + shown +
             ": the name of its backup (ending in .0100) would be longer than the file system "
             "allows, so nothing was written. Give the ship a shorter name."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FileMessages::Words(c.result), c.words);
    EXPECT_TRUE(FileMessages::Words({}).isEmpty());
}
