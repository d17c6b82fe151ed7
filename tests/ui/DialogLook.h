#pragma once

// What a person must see of the support dialog, the about box and the name
// read-out, checked on a picture of them: shared by the offscreen widget tests
// and the end-to-end suite, which looks at the real X server's screen.
#include "DialogFont.h"
#include "MeDlg.h"
#include "Resources.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextOption>

#include <gtest/gtest.h>

#include <vector>

namespace pelto5::look {

// Template rectangles in client pixels.
constexpr QSize kSupportSize(279, 232);
constexpr QRect kMessage(26, 57, 243, 115);
constexpr QRect kLinkTemplate(20, 206, 258, 15);
constexpr QRect kAppeals[] = {QRect(20, 171, 249, 13), QRect(20, 187, 249, 13)};
constexpr QRect kFrameBar(0, 0, 25, 235); // bitmap 221
// The template's 353 x 89, grown downward by one key line of 13 pixels.
constexpr QSize kAboutSize(353, 102);
constexpr QRect kVersionLine(60, 16, 179, 13);
constexpr QRect kNameReadout(672, 471, 56, 23);

inline const QString kLinkText =
    QStringLiteral("-=Please click here, help fund some classes! (or beer)=-");
inline const QString kAppealTexts[] = {
    QStringLiteral("If you feel this util is useful, and would like to see "),
    QStringLiteral("me continue to produce similar, or better work...")};

// Light text on black, anti-aliased: lilac keeps its hue as it fades.
inline bool IsLilacInk(QRgb c) {
    return qBlue(c) > 60 && qBlue(c) >= qRed(c) && qRed(c) > qGreen(c);
}
inline bool IsDark(QRgb c) {
    return qGray(c) < 60;
}

// The smallest rectangle of area that holds every pixel matching; empty when none does.
template <typename Match> QRect InkBounds(const QImage& shot, const QRect& area, Match match) {
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (match(shot.pixel(x, y)))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// The link is its text's width, centred where the template put it, clear of
// the frame bar and of the dialog's right edge.
inline void ExpectLinkWholeBesideTheFrame(const QImage& shot) {
    QFont linkFont = DialogFont();
    linkFont.setUnderline(true);
    const int width = QFontMetrics(linkFont).horizontalAdvance(kLinkText);
    const QRect band(0, kLinkTemplate.top(), shot.width(), kLinkTemplate.height());
    const QRect ink = InkBounds(shot, band, IsLilacInk);
    EXPECT_GT(ink.left(), kFrameBar.right()) << "the link reaches over the frame bar";
    EXPECT_LT(ink.right(), shot.width() - 1) << "the link runs off the dialog's right edge";
    EXPECT_NEAR(ink.width(), width, 3) << "the link is cut or drawn in another font";
    EXPECT_NEAR(ink.left() + ink.right() + 1, 2 * kLinkTemplate.left() + kLinkTemplate.width(), 3)
        << "the link is not centred where the template put it";
}

// Each appeal line is one line: its black text cell is the whole line's
// width, and the control's orange shows at both of its ends.
inline void ExpectAppealLinesSingle(const QImage& shot) {
    for (int k = 0; k < 2; ++k) {
        // Where neither the frame bar nor the message's box lies over it.
        const QRect control = kAppeals[k].intersected(
            QRect(kFrameBar.right() + 1, kMessage.bottom() + 1, shot.width(), shot.height()));
        const int width = QFontMetrics(DialogFont()).horizontalAdvance(kAppealTexts[k]);
        const QRect cell = InkBounds(shot, control, IsDark);
        EXPECT_NEAR(cell.width(), width, 2) << "appeal line " << k + 1 << " is not one line";
        EXPECT_GT(cell.left(), control.left()) << "appeal line " << k + 1;
        EXPECT_LT(cell.right(), control.right()) << "appeal line " << k + 1;
        // Smoothed like the other text lines: shades between the orange and the black.
        const QRect shades = InkBounds(shot, cell, [](QRgb c) {
            return qGray(c) > 30 && qGray(c) < qGray(qRgb(247, 189, 90)) - 30;
        });
        EXPECT_FALSE(shades.isEmpty()) << "appeal line " << k + 1 << " is drawn unsmoothed";
    }
}

// The lines the message takes when wrapped in its box with the dialog font.
inline int MessageLineCount() {
    QTextDocument doc;
    doc.setDefaultFont(DialogFont());
    doc.setDefaultTextOption(QTextOption(Qt::AlignRight));
    doc.setPlainText(MeDlg::SupportMessage());
    doc.setTextWidth(kMessage.width());
    if (doc.size().isEmpty()) // lays the text out
        return 0;
    int lines = 0;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next())
        lines += block.layout()->lineCount();
    return lines;
}

// Every line of the message shows, right-aligned, and the last one ends
// above the box's bottom edge.
inline void ExpectMessageWhole(const QImage& shot) {
    std::vector<std::pair<int, int>> lines; // rows of ink, top and bottom
    for (int y = kMessage.top(); y <= kMessage.bottom(); ++y) {
        if (InkBounds(shot, QRect(kMessage.left(), y, kMessage.width(), 1), IsLilacInk).isEmpty())
            continue;
        if (lines.empty() || y > lines.back().second + 1)
            lines.push_back({y, y});
        else
            lines.back().second = y;
    }
    ASSERT_FALSE(lines.empty()) << "no message shows";
    EXPECT_EQ(static_cast<int>(lines.size()), MessageLineCount()) << "lines of the message";
    EXPECT_LT(lines.back().second, kMessage.bottom() - 1) << "the message runs to its box's bottom";
    const QRect lastLine(kMessage.left(), lines.back().first, kMessage.width(),
                         lines.back().second - lines.back().first + 1);
    EXPECT_GT(InkBounds(shot, lastLine, IsLilacInk).right(), kMessage.right() - 8)
        << "the last line is not right-aligned";
}

// The frame's upright bar shows as its bitmap, as far as the dialog reaches down.
inline void ExpectFrameBarUntouched(const QImage& shot) {
    const QImage bar = ResourceBitmap(221).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(bar.size(), kFrameBar.size());
    const QRect shown = kFrameBar.intersected(shot.rect());
    int painted = 0;
    for (int y = shown.top(); y <= shown.bottom(); ++y)
        for (int x = shown.left(); x <= shown.right(); ++x)
            painted += (shot.pixel(x, y) & 0xFFFFFFu) != (bar.pixel(x, y) & 0xFFFFFFu);
    EXPECT_EQ(painted, 0) << "pixels of the frame bar painted over";
}

inline void ExpectSupportDialogWhole(const QImage& shot) {
    ASSERT_EQ(shot.size(), kSupportSize);
    ExpectLinkWholeBesideTheFrame(shot);
    ExpectAppealLinesSingle(shot);
    ExpectMessageWhole(shot);
    ExpectFrameBarUntouched(shot);
}

// The version line shows whole, in the dialog font, inside its control.
inline void ExpectAboutBoxWhole(const QImage& shot) {
    ASSERT_EQ(shot.size(), kAboutSize);
    const QString text = QStringLiteral("Pelto5 Version 1.0");
    const int width = QFontMetrics(DialogFont()).horizontalAdvance(text);
    const QRect ink = InkBounds(shot, kVersionLine.adjusted(-10, -5, 10, 5), IsLilacInk);
    EXPECT_TRUE(kVersionLine.contains(ink)) << "the version line leaves its control";
    EXPECT_NEAR(ink.width(), width, 2) << "the version line is cut or in another font";
}

// The name read-out (a picture of it alone) shows the whole of name: its ink
// is as wide as the name drawn alone in the read-out font, and keeps clear of
// both edges of the box.
inline void ExpectNameWhole(const QImage& readout, const QString& name) {
    // Room to spare on both sides, so that nothing of it is cut.
    QImage alone(readout.width() * 2, readout.height(), QImage::Format_RGB32);
    alone.fill(QColor(214, 165, 181));
    {
        QPainter painter(&alone);
        painter.setFont(ReadoutFont());
        painter.setPen(QColor(2, 2, 2));
        painter.drawText(alone.rect(), Qt::AlignCenter, name);
    }
    const QRect shown = InkBounds(readout, readout.rect(), IsDark);
    const QRect whole = InkBounds(alone, alone.rect(), IsDark);
    ASSERT_FALSE(shown.isEmpty()) << name.toStdString() << ": no name shows";
    EXPECT_GT(shown.left(), 0) << name.toStdString() << " touches the box's left edge";
    EXPECT_LT(shown.right(), readout.width() - 1)
        << name.toStdString() << " touches the box's right edge";
    EXPECT_NEAR(shown.width(), whole.width(), 1) << name.toStdString() << " is cut";
}

} // namespace pelto5::look
