#include "ui/menuresource.h"

#include <gtest/gtest.h>

#include "ui/acceleratortable.h"

namespace kontavo {
namespace {

TEST(MenuResourceTest, ReadsCommandsSeparatorsPopupsAndFlags) {
    const auto menu = MenuResource::parse(
        "# a comment\n"
        "MENUITEM \"New\", 41209\n"
        "POPUP \"Tools\"  // another comment\n"
        "BEGIN\n"
        "  MENUITEM \"Say \"\"hi\"\"\", 0x10, GRAYED, CHECKED\n"
        "  MENUITEM SEPARATOR\n"
        "  POPUP \"Sub\", GRAYED\n"
        "  BEGIN\n"
        "    menuitem \"Deep\", 7\n"
        "  END\n"
        "END\n");
    ASSERT_TRUE(menu);
    ASSERT_EQ(menu->items().size(), 2);
    EXPECT_EQ(menu->items()[0].text, QStringLiteral("New"));
    EXPECT_EQ(menu->items()[0].id, 41209);
    const MenuItem& tools = menu->items()[1];
    EXPECT_EQ(tools.kind, MenuItem::Kind::Popup);
    ASSERT_EQ(tools.children.size(), 3);
    EXPECT_EQ(tools.children[0].text, QStringLiteral("Say \"hi\""));
    EXPECT_TRUE(tools.children[0].grayed);
    EXPECT_TRUE(tools.children[0].checked);
    EXPECT_EQ(tools.children[1].kind, MenuItem::Kind::Separator);
    EXPECT_TRUE(tools.children[2].grayed);
    EXPECT_EQ(menu->commandIds(), (QList<int>{41209, 16, 7}));
    EXPECT_EQ(menu->find(7)->text, QStringLiteral("Deep"));
    EXPECT_EQ(menu->find(8), nullptr);
}

TEST(MenuResourceTest, ErrorsNameTheLine) {
    const char* bad[] = {
        "MENUITEM \"New\" 41209",                   // no comma
        "MENUITEM \"New\", 0",                      // id 0
        "MENUITEM \"New\", 65536",                  // id too large
        "MENUITEM \"New\", 1, BOLD",                // unknown flag
        "POPUP \"P\"\nBEGIN\nMENUITEM \"A\", 1\n",  // END missing
        "POPUP \"P\"\nMENUITEM \"A\", 1\nEND",      // BEGIN missing
        "MENUITEM \"unterminated, 1",
        "END",
        "MENUITEM \"A\", 1 ?",
    };
    for (const char* text : bad) {
        QString error;
        EXPECT_FALSE(MenuResource::parse(text, &error)) << text;
        EXPECT_TRUE(error.startsWith(QStringLiteral("line "))) << text;
    }
    QString error;
    MenuResource::parse("MENUITEM \"A\", 1\n\nMENUITEM \"B\" 2", &error);
    EXPECT_TRUE(error.startsWith(QStringLiteral("line 3:"))) << error.toStdString();
}

TEST(MenuResourceTest, NestingIsBounded) {
    QByteArray deep;
    for (int i = 0; i < MenuResource::kMaxDepth + 1; ++i) {
        deep += "POPUP \"p\"\nBEGIN\n";
    }
    for (int i = 0; i < MenuResource::kMaxDepth + 1; ++i) {
        deep += "END\n";
    }
    EXPECT_FALSE(MenuResource::parse(deep));
}

TEST(MenuResourceTest, MainMenuHoldsEveryCommandOnce) {
    const auto menu = MenuResource::load(102);
    ASSERT_TRUE(menu);
    QList<int> ids = menu->commandIds();
    const QList<int> expected = {41209, 41283, 41284, 41208, 41286, 41211, 41207,
                                 41147, 41300, 42330, 42331, 41229, 41290, 40004, 41214,
                                 41266, 41264, 41231, 41232, 41233, 41216, 41217, 41218};
    EXPECT_EQ(ids, expected);
    EXPECT_EQ(menu->find(41286)->text, QStringLiteral("Beam..."));
    EXPECT_EQ(menu->find(41147)->text, QStringLiteral("Edit Contact Template..."));
}

TEST(AcceleratorTableTest, ControlQClosesAndNothingElseDoes) {
    const auto table = AcceleratorTable::load(103);
    ASSERT_TRUE(table);
    EXPECT_EQ(table->translate(Qt::Key_Q, Qt::ControlModifier), 1);
    EXPECT_FALSE(table->translate(Qt::Key_Q, Qt::NoModifier));
    EXPECT_FALSE(table->translate(Qt::Key_Q, Qt::ControlModifier | Qt::ShiftModifier));
    EXPECT_FALSE(table->translate(Qt::Key_W, Qt::ControlModifier));
}

TEST(AcceleratorTableTest, ReadsKeysAsLettersOrCodes) {
    const auto table = AcceleratorTable::parse("\"a\", 5, VIRTKEY, SHIFT, ALT\n114, 6\n");
    ASSERT_TRUE(table);
    EXPECT_EQ(table->translate(Qt::Key_A, Qt::ShiftModifier | Qt::AltModifier), 5);
    EXPECT_EQ(table->translate(Qt::Key_F3, Qt::NoModifier), 6);
    for (const char* bad : {"\"ab\", 1", "\"Q\" 1", "\"Q\", 0", "\"Q\", 1, META", "300, 1"}) {
        QString error;
        EXPECT_FALSE(AcceleratorTable::parse(bad, &error)) << bad;
        EXPECT_FALSE(error.isEmpty());
    }
}

}  // namespace
}  // namespace kontavo
