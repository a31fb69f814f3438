// The card widget with real pen and key events: taps and keys on lines with
// and without actions, scrolling, the Talk key taken while the card has the
// focus and handed back, and screenshots of a rich card.
#include "card/contactcardview.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include "card/addressformattable.h"
#include "card/contactcardbuilder.h"
#include "card/contacttemplate.h"
#include "platform/keymap.h"
#include "platform/locale.h"
#include "store/notes/notedocumentcodec.h"
#include "richtestsupport.h"
#include "support/richcontact.h"
#include "ui/shellui.h"
#include "ui/wndmessages.h"

namespace kontavo {
namespace {

class ContactCardViewTest : public ::testing::TestWithParam<int> {
protected:
    ContactCardViewTest() : screen(GetParam(), GetParam()), view(screen) {
        context.addressFormats = &formats;
        context.locale = &locale;
        context.categoryNames = [](const QByteArray&) { return QStringList{"Business", "VIP"}; };
        tmpl.setDefaults();
        view.resize(screen.scaleX(240), screen.scaleY(250));
        view.build(test::richContact(), tmpl, context);
        view.show();
        QApplication::setActiveWindow(&view);
        view.setFocus();
    }
    // The index of the item showing line `line` of the card.
    int itemOfLine(int line) const { return line + 1; }
    QPoint centreOf(int item) const { return view.itemRect(item).center(); }

    Screen screen;
    AddressFormatTable formats = AddressFormatTable::fromStringTable(1);
    Locale locale{QLocale(QStringLiteral("en_US"))};
    CardContext context;
    ContactTemplate tmpl{57};
    ContactCardView view;
};

TEST_P(ContactCardViewTest, ATapOnALineWithAnActionReportsItsLink) {
    QSignalSpy links(&view, &ContactCardView::linkActivated);
    const int phone = itemOfLine(0);
    QTest::mouseClick(&view, Qt::LeftButton, {}, centreOf(phone));
    ASSERT_EQ(links.size(), 1);
    const CardLink link = links[0][0].value<CardLink>();
    EXPECT_EQ(link.type, kGroupPhone);
    EXPECT_EQ(link.text, QStringLiteral("+49 30 2345 6789"));
    EXPECT_FALSE(links[0][1].toBool());
    EXPECT_EQ(view.focusItem(), phone);

    QTest::mouseClick(&view, Qt::LeftButton, {}, centreOf(itemOfLine(9)));  // IM
    QTest::mouseClick(&view, Qt::LeftButton, {}, centreOf(0));              // header
    EXPECT_EQ(links.size(), 1) << "lines without an action report nothing";
    EXPECT_EQ(view.focusItem(), 0);
}

TEST_P(ContactCardViewTest, KeysMoveThroughTheLinesAndEnterActs) {
    QSignalSpy links(&view, &ContactCardView::linkActivated);
    for (int i = 0; i < 8; ++i) {
        QTest::keyClick(&view, Qt::Key_Down);
    }
    EXPECT_EQ(view.focusItem(), itemOfLine(6)) << "the first Down focuses the header";
    QTest::keyClick(&view, Qt::Key_Return);
    ASSERT_EQ(links.size(), 1);
    EXPECT_EQ(links[0][0].value<CardLink>().text, QStringLiteral("anna.lindqvist@nordlicht.de"));

    QTest::keyClick(&view, Qt::Key_End);
    EXPECT_GT(view.scrollBar()->value(), 0) << "the card scrolls to its end";
    EXPECT_EQ(view.scrollBar()->value(), view.scrollBar()->maximum());
    EXPECT_EQ(view.items().back().kind, RichItemKind::Separator) << "the note comes last";
    QTest::keyClick(&view, Qt::Key_Home);
    EXPECT_EQ(view.scrollBar()->value(), 0);
}

TEST_P(ContactCardViewTest, TheTalkKeyActsOnTheFocusedLineWhileTheCardHasTheFocus) {
    ShellUi shell;
    QWidget previous;
    shell.overrideKey(&previous, vk::kTalk, 0x30003);
    view.setPhoneDeviceTest([] { return true; });
    view.clearFocus();
    view.setFocus();
    ASSERT_TRUE(view.hasFocus());
    EXPECT_TRUE(view.hasTalkKey());
    EXPECT_EQ(shell.keyOverrideOwner(vk::kTalk), &view);

    QSignalSpy links(&view, &ContactCardView::linkActivated);
    QTest::mouseClick(&view, Qt::LeftButton, {}, centreOf(itemOfLine(3)));  // Mobile
    links.clear();
    QTest::keyClick(&view, Qt::Key_F3);
    QTRY_COMPARE(links.size(), 1);
    EXPECT_EQ(links[0][0].value<CardLink>().text, QStringLiteral("+49 171 234 5678"));
    EXPECT_TRUE(links[0][1].toBool()) << "marked as coming from the Talk key";

    QWidget other;
    other.setFocusPolicy(Qt::StrongFocus);
    other.show();
    QApplication::setActiveWindow(&other);
    other.setFocus();
    EXPECT_FALSE(view.hasTalkKey());
    EXPECT_EQ(shell.keyOverrideOwner(vk::kTalk), &previous) << "handed back";
    EXPECT_EQ(shell.keyOverride(vk::kTalk), 0x3u);
}

TEST_P(ContactCardViewTest, WithoutAPhoneTheCardLeavesTheTalkKeyAlone) {
    ShellUi shell;
    view.setPhoneDeviceTest([] { return false; });
    view.clearFocus();
    view.setFocus();
    EXPECT_FALSE(view.hasTalkKey());
    EXPECT_EQ(shell.keyOverrideOwner(vk::kTalk), nullptr);
}

TEST_P(ContactCardViewTest, ClearingShowsAWhiteCard) {
    view.clearCard();
    EXPECT_TRUE(view.items().isEmpty());
    EXPECT_EQ(view.contactOid(), 0u);
    const QImage image = view.grab().toImage();
    EXPECT_EQ(test::pixelsOf(image, qRgb(255, 255, 255)), image.width() * image.height());
}

TEST_P(ContactCardViewTest, Screenshot) {
    QTest::mouseClick(&view, Qt::LeftButton, {}, centreOf(itemOfLine(6)));
    const QImage image = view.grab().toImage();
    test::saveCardScreenshot(image, QStringLiteral("card-view-%1dpi").arg(GetParam()));
    EXPECT_GT(test::pixelsOf(image, qRgb(0x00, 0x00, 0x82)), 0) << "the focused line";
    EXPECT_GT(test::pixelsOf(image, qRgb(0x00, 0x40, 0x80)), 0) << "e-mail addresses";
    EXPECT_TRUE(view.scrollBar()->isVisible());
}

// The columns of `area` holding a pixel that `match` accepts: first and last
// (-1 when none).
template <typename Match>
std::pair<int, int> columnsWhere(const QImage& image, const QRect& area, Match match) {
    int first = -1;
    int last = -1;
    for (int x = area.left(); x <= area.right(); ++x) {
        for (int y = area.top(); y <= area.bottom(); ++y) {
            if (match(image.pixel(x, y))) {
                first = first < 0 ? x : first;
                last = x;
                break;
            }
        }
    }
    return {first, last};
}

// A formatted note is drawn as its document: coloured bold text, bullets and
// the ink at its place, scaled with the screen; a plain note stays text.
TEST_P(ContactCardViewTest, AFormattedNoteIsDrawnWithItsFormatsAndInk) {
    EXPECT_EQ(view.items().last().note, nullptr) << "the rich contact's note is plain text";
    ContactRecord contact;
    contact.setField(ContactField::FirstName, "Pia");
    contact.setField(ContactField::LastName, "Sommer");
    contact.setField(ContactField::WorkPhone, "+49 30 1234");
    QByteArray pixels;
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 90; ++x) {
            pixels.append(char(40 + y * 3)).append(char(120 + x)).append(char(200));
        }
        pixels.append(2, '\0');
    }
    contact.picture = PictureBitmap::create(90, 60, pixels);
    NoteCharFormat red;
    red.bold = true;
    red.points = 10;
    red.colour = 4;
    NoteParagraph title;
    title.runs = {NoteRun{"Call back", red}};
    NoteParagraph item;
    item.bullets = true;
    item.runs = {NoteRun{"before Friday", NoteCharFormat()}};
    NoteParagraph right;
    right.alignment = NoteAlignment::Right;
    right.runs = {NoteRun{"signed", NoteCharFormat()}};
    NoteDocument document;
    document.paragraphs = {title, item, right};
    document.strokes = {NoteStroke{6, 2, {QPoint(20, 70), QPoint(60, 90), QPoint(100, 70)}}};
    const std::optional<QByteArray> stored = writeNoteDocument(document);
    ASSERT_TRUE(stored);
    contact.userNote = *stored;
    view.build(contact, tmpl, context);
    const int last = int(view.items().size()) - 1;
    ASSERT_NE(view.items()[last].note, nullptr);
    QTest::keyClick(&view, Qt::Key_End);
    const QImage image = view.grab().toImage();
    test::saveCardScreenshot(image, QStringLiteral("card-note-picture-%1dpi").arg(GetParam()));

    const int scale = GetParam() / 96;
    const QRect note = view.itemRect(last).intersected(view.contentRect());
    ASSERT_GE(note.height(), 90 * scale) << "tall enough for the ink";
    const auto red4 = [](QRgb p) { return qRed(p) > 180 && qGreen(p) < 90 && qBlue(p) < 90; };
    const auto blue6 = [](QRgb p) { return qBlue(p) > 180 && qRed(p) < 90 && qGreen(p) < 90; };
    EXPECT_GT(columnsWhere(image, note, red4).first, 0) << "the red title";
    const auto [inkLeft, inkRight] = columnsWhere(image, note, blue6);
    const int edge = 5 * scale;  // the note's left edge in the item
    EXPECT_NEAR(inkLeft, edge + 20 * scale, 3 * scale);
    EXPECT_NEAR(inkRight, edge + 100 * scale, 3 * scale);
    // "signed" stands at the right, "before Friday" at the left.
    // The focused note keeps its colours on white.
    const QRect text = note.adjusted(edge, 20 * scale, -edge, 0);
    EXPECT_EQ(image.pixel(text.left() + 2, text.bottom() - 2), qRgb(255, 255, 255));
    const auto dark = [](QRgb p) { return qGray(p) < 100; };
    EXPECT_GT(columnsWhere(image, text, dark).second, text.right() - 40 * scale);
    EXPECT_LT(columnsWhere(image, text, dark).first, edge + 20 * scale);
    // The header shows the picture, shrunk into the frame when larger.
    EXPECT_EQ(view.items()[0].pictureSize, scale == 1 ? QSize(72, 48) : QSize(90, 60));
}

INSTANTIATE_TEST_SUITE_P(Dpi, ContactCardViewTest, ::testing::Values(96, 192));

}  // namespace
}  // namespace kontavo
