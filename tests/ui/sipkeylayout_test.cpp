#include "ui/sipkeylayout.h"

#include <gtest/gtest.h>

namespace kontavo {
namespace {

int keyOf(const SipKeyLayout& layout, SipKey::Kind kind, const QString& text = QString()) {
    for (int i = 0; i < layout.keys().size(); ++i) {
        if (layout.keys()[i].kind == kind && layout.keys()[i].text == text) {
            return i;
        }
    }
    return -1;
}

TEST(SipKeyLayoutTest, EveryRowFillsThePanelWithoutOverlap) {
    const SipKeyLayout layout;
    for (const QSize panel : {QSize(240, 80), QSize(480, 160)}) {
        for (int y = 0; y < panel.height(); y += 3) {
            for (int x = 0; x < panel.width(); x += 3) {
                int hits = 0;
                for (int i = 0; i < layout.keys().size(); ++i) {
                    hits += layout.keyRect(i, panel).contains(x, y) ? 1 : 0;
                }
                ASSERT_EQ(hits, 1) << x << "," << y;
            }
        }
    }
}

TEST(SipKeyLayoutTest, ShiftHoldsForOneKeyAndCapsLockForLetters) {
    SipKeyLayout layout;
    const int a = keyOf(layout, SipKey::Kind::Character, QStringLiteral("a"));
    const int one = keyOf(layout, SipKey::Kind::Character, QStringLiteral("1"));
    const int shift = keyOf(layout, SipKey::Kind::Shift);
    const int caps = keyOf(layout, SipKey::Kind::CapsLock);
    EXPECT_EQ(layout.tap(a)->text, QStringLiteral("a"));
    EXPECT_FALSE(layout.tap(shift));
    const auto shifted = layout.tap(a);
    EXPECT_EQ(shifted->text, QStringLiteral("A"));
    EXPECT_EQ(shifted->qtKey, int(Qt::Key_A));
    EXPECT_EQ(shifted->modifiers, Qt::ShiftModifier);
    EXPECT_EQ(layout.tap(a)->text, QStringLiteral("a"));
    layout.tap(caps);
    EXPECT_EQ(layout.tap(a)->text, QStringLiteral("A"));
    EXPECT_EQ(layout.tap(a)->text, QStringLiteral("A"));
    EXPECT_EQ(layout.tap(one)->text, QStringLiteral("1"));
    layout.tap(shift);
    EXPECT_EQ(layout.tap(one)->text, QStringLiteral("!"));
}

TEST(SipKeyLayoutTest, EditingKeysSendTheirKeys) {
    SipKeyLayout layout;
    EXPECT_EQ(layout.tap(keyOf(layout, SipKey::Kind::Backspace))->qtKey, int(Qt::Key_Backspace));
    EXPECT_EQ(layout.tap(keyOf(layout, SipKey::Kind::Enter))->qtKey, int(Qt::Key_Return));
    EXPECT_EQ(layout.tap(keyOf(layout, SipKey::Kind::Space))->text, QStringLiteral(" "));
    EXPECT_EQ(layout.tap(keyOf(layout, SipKey::Kind::Left))->qtKey, int(Qt::Key_Left));
    const QSize panel(240, 80);
    const int space = keyOf(layout, SipKey::Kind::Space);
    EXPECT_EQ(layout.keyAt(layout.keyRect(space, panel).center(), panel), space);
    EXPECT_FALSE(layout.keyAt(QPoint(-1, 5), panel));
}

}  // namespace
}  // namespace kontavo
