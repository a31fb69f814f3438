// A card as the rich list's items: the header's picture in its frame or the
// stock icon, one item per line, the note's separator; and how the header
// picture is drawn.
#include "card/carditems.h"

#include <gtest/gtest.h>

#include <QPainter>

#include "card/contactcard.h"
#include "card/richfontcache.h"
#include "card/richitempainter.h"
#include "card/templategroup.h"
#include "richtestsupport.h"
#include "ui/icons.h"

namespace kontavo {
namespace {

// A picture of `width` x `height` pixels, all red.
Picture redPicture(int width, int height) {
    const qsizetype row = PictureBitmap::rowSize(width);
    QByteArray pixels(row * height, '\0');
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixels[y * row + 3 * x + 2] = char(0xFF);  // blue, green, red
        }
    }
    return PictureBitmap::create(width, height, pixels);
}

ContactCard cardWithHeader(const QString& name) {
    ContactCard card;
    card.header.tags(QStringLiteral("<B>")).text(name).tags(QStringLiteral("</B>"));
    return card;
}

TEST(CardItemsTest, OneItemPerLineBetweenTheHeaderAndTheNote) {
    RichFontCache cache(test::monoFont(), 96);
    ContactCard card = cardWithHeader(QStringLiteral("Ann"));
    card.lines.append({QStringLiteral("Work"), RichMarkup().text("555"), {}, kGroupPhone,
                       cardicon::kPhone});
    card.lines.append({QStringLiteral("Spouse"), RichMarkup().text("Bo"), {}, kGroupPeople, 0});
    card.note = QStringLiteral("<B>not bold</B>");
    const QList<RichItem> items = cardItems(card, cache, Screen(96, 96));
    ASSERT_EQ(items.size(), 4);
    EXPECT_EQ(items[0].kind, RichItemKind::Header);
    EXPECT_EQ(items[1].label, QStringLiteral("Work"));
    EXPECT_EQ(items[1].owner, 0);
    EXPECT_FALSE(items[1].picture.isNull()) << "a line that acts shows its icon";
    EXPECT_TRUE(items[2].picture.isNull());
    EXPECT_EQ(items[3].kind, RichItemKind::Separator);
    EXPECT_EQ(items[3].label, QStringLiteral("Note"));
    EXPECT_EQ(items[3].text.plainText(), QStringLiteral("<B>not bold</B>"));
    EXPECT_EQ(items[3].text.at(3).style, 0) << "the note is literal text";
    EXPECT_TRUE(cardItems(ContactCard(), cache, Screen(96, 96)).isEmpty());
}

TEST(CardItemsTest, APictureLargerThanTheFrameIsScaledDownKeepingItsShape) {
    RichFontCache cache(test::monoFont(), 96);
    ContactCard card = cardWithHeader(QStringLiteral("Ann"));
    card.picture = redPicture(144, 100);
    EXPECT_EQ(cardItems(card, cache, Screen(96, 96)).front().pictureSize, QSize(72, 50));
    EXPECT_EQ(cardItems(card, cache, Screen(192, 192)).front().pictureSize, QSize(144, 100))
        << "the frame is 144 pixels at 192 dpi";
    card.picture = redPicture(30, 40);
    EXPECT_EQ(cardItems(card, cache, Screen(96, 96)).front().pictureSize, QSize(30, 40));
}

TEST(CardItemsTest, WithoutAPictureThePersonOrCompanyIcon) {
    RichFontCache cache(test::monoFont(), 96);
    const Screen screen(96, 96);
    ContactCard card = cardWithHeader(QStringLiteral("Acme"));
    const QImage person = loadIconPixmap(42210, screen).toImage();
    const QImage company = loadIconPixmap(42211, screen).toImage();
    ASSERT_NE(person, company);
    EXPECT_EQ(cardItems(card, cache, screen).front().picture.toImage(), person);
    card.companyIcon = true;
    EXPECT_EQ(cardItems(card, cache, screen).front().picture.toImage(), company);
}

TEST(CardItemsTest, TheHeaderPictureIsStretchedOnlyWhenLargerThanItsBox) {
    RichFontCache cache(test::monoFont(), 96);
    RichItemPainter painter(cache, Screen(96, 96), test::monoFont());
    ContactCard card = cardWithHeader(QStringLiteral("Ann"));
    card.picture = redPicture(144, 144);
    RichItem header = cardItems(card, cache, Screen(96, 96)).front();
    const QRect box(0, 0, 240, painter.measure(header, 240, 0));
    QImage image = test::whiteImage(box.size());
    {
        QPainter p(&image);
        painter.draw(p, header, box, 0, false, false);
    }
    EXPECT_EQ(test::pixelsOf(image, qRgb(255, 0, 0)), 72 * 72) << "stretched into its box";
    EXPECT_EQ(image.pixel(2, 3) & 0xFFFFFF, 0xFF0000u) << "2 pixels in, 3 down";

    header.pictureSize = QSize(200, 200);
    image = test::whiteImage(QSize(240, 220));
    {
        QPainter p(&image);
        painter.draw(p, header, QRect(0, 0, 240, 220), 0, false, false);
    }
    EXPECT_EQ(test::pixelsOf(image, qRgb(255, 0, 0)), 144 * 144) << "a smaller bitmap is copied";
}

}  // namespace
}  // namespace kontavo
