// A failure message naming a long path reads whole on a 1024-pixel-wide
// screen, and a pipe found at the ship's path at save time is called what it is.
#include "EditorFixture.h"

#include "FailureMessage.h"

#include <QDir>
#include <QFontMetrics>
#include <QLabel>
#include <QMessageBox>
#include <QTemporaryDir>

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
