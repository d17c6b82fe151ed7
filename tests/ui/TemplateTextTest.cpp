// Every text of the dialog templates fits the control the template gives it,
// in the font that stands in for "MS Sans Serif" 8; that font is the one of
// Debian's that comes closest to the template's base units and fits them all.
#include "DialogLook.h"
#include "EditorFixture.h"

#include "AboutDlg.h"
#include "DialogFont.h"
#include "HardpointTable.h"
#include "MeDlg.h"
#include "ShipText.h"

#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextDocument>

#include <cmath>
#include <cstdio>
#include <optional>

using namespace pelto5;

namespace {

// A template text and its control's rectangle, in client pixels.
struct TemplateText {
    enum Kind { Line, Wrapped, Link };
    const char* control;
    QString text;
    QRect rect;
    Kind kind;
};

std::vector<TemplateText> TemplateTexts() {
    return {
        {"about box version line", QStringLiteral("Pelto5 Version 1.0"), look::kVersionLine,
         TemplateText::Line},
        {"about box OK button", QStringLiteral("OK"), QRect(267, 11, 75, 23), TemplateText::Line},
        {"support message 1012", MeDlg::SupportMessage(), look::kMessage, TemplateText::Wrapped},
        {"support link 1014", look::kLinkText, look::kLinkTemplate, TemplateText::Link},
        {"support appeal 1016", look::kAppealTexts[0], look::kAppeals[0], TemplateText::Line},
        {"support appeal 1017", look::kAppealTexts[1], look::kAppeals[1], TemplateText::Line},
    };
}

// How the text overflows its control in font, in words; empty when it fits.
std::string Overflow(const TemplateText& t, const QFont& font) {
    QFont shown = font;
    shown.setUnderline(t.kind == TemplateText::Link);
    const QFontMetrics metrics(shown);
    QSize size(metrics.horizontalAdvance(t.text), metrics.height());
    QSize room = t.rect.size();
    QString roomName = QStringLiteral("its control");
    if (t.kind == TemplateText::Wrapped) {
        // Wrapped as the read-only edit wraps it, within its own margins.
        QTextDocument doc;
        doc.setDefaultFont(shown);
        doc.setPlainText(t.text);
        doc.setTextWidth(room.width());
        size = QSize(static_cast<int>(std::ceil(doc.idealWidth())),
                     static_cast<int>(std::ceil(doc.size().height())));
    } else if (t.kind == TemplateText::Link) {
        // The link fits itself around the template's centre: it must stay
        // clear of the frame bar and inside the dialog.
        const int twiceCentre = 2 * t.rect.left() + t.rect.width();
        room.setWidth(std::min(twiceCentre - 2 * (look::kFrameBar.right() + 1),
                               2 * look::kSupportSize.width() - twiceCentre));
        roomName = QStringLiteral("the room beside the frame bar");
    }
    auto over = [&](const char* dimension, int need, int have) {
        return need <= have ? QString()
                            : QStringLiteral("\"%1\" is %2 pixels %3, %4 over the %5 of %6. ")
                                  .arg(t.text.left(40))
                                  .arg(need)
                                  .arg(QLatin1String(dimension))
                                  .arg(need - have)
                                  .arg(have)
                                  .arg(roomName);
    };
    return (over("wide", size.width(), room.width()) + over("high", size.height(), room.height()))
        .trimmed()
        .toStdString();
}

TEST(DialogFont, EveryTemplateTextFitsItsControl) {
    for (const TemplateText& t : TemplateTexts())
        EXPECT_EQ(Overflow(t, DialogFont()), "") << t.control;
}

TEST(DialogFont, AboutBoxKeyLinesFitTheirLines) {
    AboutDlg about;
    const QList<QLabel*> lines = about.findChildren<QLabel*>("keys");
    ASSERT_EQ(lines.size(), AboutDlg::KeyLines().size());
    for (const QLabel* line : lines) {
        const QFontMetrics metrics(line->font());
        EXPECT_LE(metrics.horizontalAdvance(line->text()), line->width())
            << line->text().toStdString();
        EXPECT_LE(metrics.height(), line->height()) << line->text().toStdString();
        EXPECT_TRUE(about.rect().contains(line->geometry())) << line->text().toStdString();
    }
}

// What Windows takes as a font's dialog base units: the average width of the
// 52 letters, and the cell height.
struct BaseUnits {
    double width;
    int height;
    // How far dialog units in this font would stray from the templates' 6 x 13.
    double Distance() const { return std::abs(width - 6) / 6 + std::abs(height - 13) / 13.0; }
};

BaseUnits Measure(const QFont& font) {
    const QFontMetricsF metrics(font);
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return {metrics.horizontalAdvance(letters) / 52, QFontMetrics(font).height()};
}

TEST(DialogFont, IsTheCandidateClosestToTheBaseUnitsThatFitsEveryText) {
    // Sans faces Debian packages; those not installed here are left out.
    const char* families[] = {"DejaVu Sans",
                              "DejaVu Sans Condensed",
                              "Liberation Sans",
                              "Liberation Sans Narrow",
                              "Arimo",
                              "FreeSans",
                              "Nimbus Sans",
                              "Nimbus Sans Narrow",
                              "PT Sans",
                              "PT Sans Narrow",
                              "PT Sans Caption",
                              "Cantarell",
                              "Lato",
                              "Open Sans",
                              "Roboto",
                              "Roboto Condensed",
                              "Clear Sans"};
    std::optional<QFont> best;
    double bestDistance = 0;
    std::printf("%-24s %3s %6s %4s %9s  %s\n", "family", "px", "width", "high", "6x13 off",
                "template texts");
    for (const char* family : families) {
        for (int pixels = 10; pixels <= 12; ++pixels) {
            QFont font{QString::fromLatin1(family)};
            font.setPixelSize(pixels);
            if (!QFontInfo(font).family().startsWith(QLatin1String(family)))
                continue;
            const BaseUnits units = Measure(font);
            int misfits = 0;
            for (const TemplateText& t : TemplateTexts())
                misfits += !Overflow(t, font).empty();
            std::printf("%-24s %3d %6.2f %4d %8.1f%%  %s\n", family, pixels, units.width,
                        units.height, 100 * units.Distance(),
                        misfits ? qPrintable(QStringLiteral("%1 overflow").arg(misfits))
                                : "all fit");
            if (!misfits && (!best || units.Distance() < bestDistance)) {
                best = font;
                bestDistance = units.Distance();
            }
        }
    }
    ASSERT_TRUE(best.has_value()) << "no candidate fits every template text";
    const QFont chosen = DialogFont();
    EXPECT_TRUE(QFontInfo(chosen).family().startsWith(chosen.family()))
        << chosen.family().toStdString() << " is not installed (tools/setup.sh)";
    EXPECT_EQ(chosen.family(), best->family());
    EXPECT_EQ(chosen.pixelSize(), best->pixelSize());
}

// The template dialogs show their texts in that font, at the rectangles measured above.
TEST(DialogFont, TemplateDialogsUseItAtTheirTemplateRectangles) {
    auto sameFont = [](const QWidget* w) {
        return QFontInfo(w->font()).family() == QFontInfo(DialogFont()).family() &&
               w->font().pixelSize() == DialogFont().pixelSize();
    };
    AboutDlg about;
    const auto* version = about.findChild<QLabel*>("version");
    const auto* ok = about.findChild<QPushButton*>("ok");
    ASSERT_TRUE(version && ok);
    EXPECT_TRUE(sameFont(version) && sameFont(ok));
    EXPECT_EQ(version->geometry(), look::kVersionLine);
    EXPECT_EQ(ok->geometry(), QRect(267, 11, 75, 23));

    MeDlg support;
    for (int k = 0; k < 2; ++k) {
        EXPECT_TRUE(sameFont(&support.AppealLine(k))) << k;
        EXPECT_EQ(support.AppealLine(k).geometry(), look::kAppeals[k]);
        EXPECT_EQ(support.AppealLine(k).text(), look::kAppealTexts[k]);
    }
    EXPECT_TRUE(sameFont(&support.Link()));
    EXPECT_EQ(support.Link().text(), look::kLinkText);
    EXPECT_TRUE(sameFont(&support.Message()));
    EXPECT_EQ(support.Message().geometry(), look::kMessage);
    // The message as the edit itself lays it out.
    support.show();
    const QSizeF laidOut = support.Message().document()->size();
    EXPECT_LE(laidOut.height(), support.Message().viewport()->height());
    EXPECT_LE(laidOut.width(), support.Message().viewport()->width());
}

class TemplateLook : public ::testing::Test {
protected:
    template <typename Dialog> QImage Shown(Dialog& dialog) {
        dialog.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        return dialog.grab().toImage();
    }
};

TEST_F(TemplateLook, SupportDialogShowsEveryTextWhole) {
    MeDlg dlg;
    look::ExpectSupportDialogWhole(Shown(dlg));
}

TEST_F(TemplateLook, AboutBoxShowsItsVersionLineWhole) {
    AboutDlg about;
    look::ExpectAboutBoxWhole(Shown(about));
}

TEST_F(TemplateLook, SupportMessageCannotBeSelected) {
    MeDlg dlg;
    Shown(dlg);
    QWidget* viewport = dlg.Message().viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, QPoint(10, 5));
    QTest::mouseMove(viewport, QPoint(200, 60));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(200, 60));
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, QPoint(100, 20));
    EXPECT_FALSE(dlg.Message().textCursor().hasSelection());
    EXPECT_EQ(QApplication::focusWidget(), &dlg.ExitButton());
}

TEST_F(EditorTest, ReadoutFontIsAsTallAsTheBoxesAllowWithCharacters5Wide) {
    for (int id = 1008; id <= 1012; ++id) {
        const QFontMetrics metrics(dlg->Control(id)->font());
        EXPECT_EQ(metrics.height(), look::kNameReadout.height()) << id;
        EXPECT_LE(metrics.height(), dlg->Control(id)->height()) << id;
        EXPECT_EQ(metrics.averageCharWidth(), 5) << id;
    }
}

// The read-out shows each name whole, and the four number read-outs the
// longest numbers, within the room a line edit leaves inside its margins.
TEST_F(EditorTest, NameReadoutShowsEveryNameWholeAndNumbersFit) {
    constexpr int kEditMargin = 2; // a line edit keeps this much free inside each side
    for (int id = 1008; id <= 1011; ++id) {
        const QWidget* edit = dlg->Control(id);
        const QFontMetrics metrics(edit->font());
        for (const char* number : {"-9999", "9999", "-888"})
            EXPECT_LE(metrics.horizontalAdvance(QLatin1String(number)),
                      edit->width() - 2 * kEditMargin)
                << id << " " << number;
    }
    auto* name = qobject_cast<QLineEdit*>(dlg->Control(1012));
    ASSERT_NE(name, nullptr);
    const QFontMetrics metrics(name->font());
    for (int i = 0; i < kHardpointCount; ++i) {
        const QString upper = QString::fromStdString(ToUpperCopy(HardpointNames()[i]));
        EXPECT_LE(metrics.horizontalAdvance(upper), name->width() - 2 * kEditMargin)
            << qPrintable(upper);
        dlg->OnMarkerClicked(kFirstMarkerId + i); // picked up
        ASSERT_EQ(name->text(), upper);
        look::ExpectNameWhole(name->grab().toImage(), upper);
        dlg->OnMarkerClicked(kFirstMarkerId + i); // dropped where it was
    }
}

} // namespace
