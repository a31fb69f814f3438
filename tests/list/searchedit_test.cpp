#include "list/searchedit.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include "listtestsupport.h"

namespace kontavo {
namespace {

// The field and another widget to take the focus away, in one window.
class SearchEditTest : public ::testing::Test {
protected:
    explicit SearchEditTest(const Screen& screen = Screen(96, 96))
        : field(new SearchEdit(screen, &window)), other(new QLineEdit(&window)) {
        field->setGeometry(0, 0, screen.scaleX(100), screen.scaleY(16));
        other->setGeometry(0, screen.scaleY(20), screen.scaleX(100), screen.scaleY(16));
        window.resize(screen.scaleX(120), screen.scaleY(40));
        EXPECT_TRUE(test::showActive(window));
        other->setFocus();
    }
    QLineEdit* edit() const { return field->lineEdit(); }
    QStringList changes() {
        QStringList texts;
        for (const QList<QVariant>& call : changed) {
            texts.append(call.at(0).toString());
        }
        changed.clear();
        return texts;
    }
    void focusField() {
        field->setFocus();
        ASSERT_TRUE(edit()->hasFocus());
    }

    QWidget window;
    SearchEdit* field;
    QLineEdit* other;
    QSignalSpy changed{field, &SearchEdit::textChanged};
};

TEST_F(SearchEditTest, PlaceholderShowsOnlyWithoutTextAndFocus) {
    EXPECT_EQ(edit()->placeholderText(), QStringLiteral("Search"));
    focusField();
    EXPECT_TRUE(edit()->placeholderText().isEmpty());
    other->setFocus();
    EXPECT_EQ(edit()->placeholderText(), QStringLiteral("Search"));
    const QImage image = field->grab().toImage();
    EXPECT_EQ(image.pixel(1, 1), qRgb(0xFF, 0xFF, 0xFF));
}

TEST_F(SearchEditTest, TypingReportsTheTextAndShowsTheClearButton) {
    focusField();
    const int fullWidth = edit()->width();
    QTest::keyClicks(edit(), QStringLiteral("an"));
    EXPECT_EQ(changes(), QStringList({"a", "an"}));
    EXPECT_TRUE(field->hasText());
    EXPECT_EQ(edit()->width(), fullWidth - field->clearButtonRect().width());
    QTest::keyClick(edit(), Qt::Key_Backspace);
    QTest::keyClick(edit(), Qt::Key_Backspace);
    EXPECT_EQ(changes(), QStringList({"a", ""}));
    EXPECT_EQ(edit()->width(), fullWidth);
}

TEST_F(SearchEditTest, GroupModeShowsGroupTextInBoldBlueWithoutReportingIt) {
    field->setMode(SearchMode::Group);
    field->setGroupText(QStringLiteral("A-D-A"));
    EXPECT_TRUE(changes().isEmpty());
    EXPECT_EQ(edit()->cursorPosition(), 5);
    EXPECT_EQ(edit()->font().weight(), QFont::Bold);
    EXPECT_EQ(edit()->font().family(), QStringLiteral("Tahoma"));
    EXPECT_EQ(edit()->font().pixelSize(), 11);
    EXPECT_EQ(edit()->palette().color(QPalette::Text), QColor(0x00, 0x40, 0xFF));
    field->setMode(SearchMode::Text);
    EXPECT_EQ(edit()->font().weight(), QFont::Normal);
}

TEST_F(SearchEditTest, BackspaceInGroupModeGoesToTheOwnerWithCaretAndSelection) {
    QSignalSpy backspace(field, &SearchEdit::groupBackspacePressed);
    field->setMode(SearchMode::Group);
    field->setGroupText(QStringLiteral("A-D-A"));
    focusField();
    edit()->setCursorPosition(3);
    QTest::keyClick(edit(), Qt::Key_Backspace);
    edit()->setSelection(2, 3);
    QTest::keyClick(edit(), Qt::Key_Backspace);
    ASSERT_EQ(backspace.size(), 2);
    EXPECT_EQ(backspace[0], QList<QVariant>({3, -1, 0}));
    EXPECT_EQ(backspace[1], QList<QVariant>({5, 2, 3}));
    EXPECT_EQ(field->text(), QStringLiteral("A-D-A")) << "the field itself edits nothing";
}

TEST_F(SearchEditTest, TypingInGroupModeStartsATextSearch) {
    field->setMode(SearchMode::Group);
    field->setGroupText(QStringLiteral("A-D"));
    focusField();
    QTest::keyClick(edit(), Qt::Key_K);
    EXPECT_EQ(field->mode(), SearchMode::Text);
    EXPECT_EQ(field->text(), QStringLiteral("k"));
    EXPECT_EQ(changes(), QStringList({"", "k"})) << "the owner hears of the emptied field first";

    field->setMode(SearchMode::Group);
    field->setGroupText(QStringLiteral("A"));
    QTest::keyClick(edit(), Qt::Key_Space);
    EXPECT_EQ(field->mode(), SearchMode::Text);
    EXPECT_EQ(field->text(), QString()) << "the blank is swallowed";
}

TEST_F(SearchEditTest, GroupTextIsNotEditedByOtherKeys) {
    field->setMode(SearchMode::Group);
    field->setGroupText(QStringLiteral("A-D"));
    focusField();
    edit()->setCursorPosition(0);
    QTest::keyClick(edit(), Qt::Key_Delete);
    QTest::keyClick(edit(), Qt::Key_Right);
    EXPECT_EQ(field->text(), QStringLiteral("A-D"));
    EXPECT_EQ(edit()->cursorPosition(), 1) << "the caret still moves";
    EXPECT_EQ(field->mode(), SearchMode::Group);
}

TEST_F(SearchEditTest, UpAndDownGoToTheOwnerAndLeaveTheCaret) {
    QSignalSpy upDown(field, &SearchEdit::upDownPressed);
    focusField();
    QTest::keyClicks(edit(), QStringLiteral("abc"));
    edit()->setCursorPosition(1);
    QTest::keyClick(edit(), Qt::Key_Down);
    QTest::keyClick(edit(), Qt::Key_Up);
    ASSERT_EQ(upDown.size(), 2);
    EXPECT_EQ(upDown[0].at(0).toInt(), 40);
    EXPECT_EQ(upDown[1].at(0).toInt(), 38);
    EXPECT_EQ(edit()->cursorPosition(), 1);
}

TEST_F(SearchEditTest, ClearButtonEmptiesTheFieldAndLeavesGroupMode) {
    field->setMode(SearchMode::Group);
    field->setGroupText(QStringLiteral("A-D"));
    const QPoint button = field->clearButtonRect().center();
    QTest::mousePress(field, Qt::LeftButton, {}, button);
    QTest::mouseRelease(field, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(field->text(), QStringLiteral("A-D")) << "released outside the button";
    QTest::mousePress(field, Qt::LeftButton, {}, button);
    QTest::mouseRelease(field, Qt::LeftButton, {}, button);
    EXPECT_EQ(field->text(), QString());
    EXPECT_EQ(field->mode(), SearchMode::Text);
    EXPECT_EQ(changes(), QStringList({""}));
    EXPECT_EQ(edit()->placeholderText(), QStringLiteral("Search")) << "the field has no focus";
}

TEST_F(SearchEditTest, FirstClickAfterGainingFocusSelectsAll) {
    QSignalSpy tapped(field, &SearchEdit::tapped);
    edit()->setText(QStringLiteral("anna"));
    QTest::mouseClick(edit(), Qt::LeftButton, {}, QPoint(3, 5));
    EXPECT_EQ(edit()->selectedText(), QStringLiteral("anna"));
    QTest::mouseClick(edit(), Qt::LeftButton, {}, QPoint(3, 5));
    EXPECT_TRUE(edit()->selectedText().isEmpty()) << "only the first click";
    EXPECT_EQ(tapped.size(), 2);
}

TEST_F(SearchEditTest, KeysFromTheListTypeIntoTheField) {
    field->typeKey(ListKey{'K', QStringLiteral("k"), false});
    field->typeKey(ListKey{'A', QStringLiteral("a"), false});
    field->typeKey(ListKey{8, QStringLiteral("\b"), false});
    EXPECT_EQ(changes(), QStringList({"k", "ka", "k"}));
    field->setMode(SearchMode::Group);
    field->setGroupText(QStringLiteral("A"));
    field->typeKey(ListKey{'T', QStringLiteral("t"), false});
    EXPECT_EQ(field->mode(), SearchMode::Text);
    EXPECT_EQ(field->text(), QStringLiteral("t"));
}

TEST_F(SearchEditTest, FieldPutsTheSoftInputPanelBackDownWhenItRaisedIt) {
    bool sipUp = false;
    QList<bool> requests;
    field->setSipHooks([&] { return sipUp; },
                       [&](bool up) {
                           requests.append(up);
                           sipUp = up;
                       });
    focusField();
    sipUp = true;  // the owner raised it on the tap
    other->setFocus();
    EXPECT_EQ(requests, QList<bool>{false});
    sipUp = true;
    focusField();  // up already when the field took the focus
    other->setFocus();
    EXPECT_EQ(requests, QList<bool>{false});
}

TEST_F(SearchEditTest, BusyAnimationStepsAtMostEvery250Ms) {
    qint64 now = 1000;
    field->setClock([&] { return now; });
    field->typeKey(ListKey{'A', QStringLiteral("a"), false});
    field->busyStart();
    EXPECT_TRUE(field->isBusy());
    EXPECT_TRUE(field->findChild<QTimer*>(QStringLiteral("busyAnimation"))->isActive());
    QList<int> frames;
    for (const int step : {100, 150, 100, 300, 250, 250, 250}) {
        now += step;
        field->busyStep();
        frames.append(field->busyFrame());
    }
    EXPECT_EQ(frames, QList<int>({0, 1, 1, 2, 3, 0, 1}));
    field->busyEnd();
    EXPECT_FALSE(field->isBusy());
    EXPECT_FALSE(field->findChild<QTimer*>(QStringLiteral("busyAnimation"))->isActive());
}

void screenshotField(const Screen& screen, const QString& suffix) {
    QWidget window;
    window.setStyleSheet(QStringLiteral("background: #ffffff"));
    QVBoxLayout layout(&window);
    layout.setContentsMargins(2, 2, 2, 2);
    SearchEdit empty(screen), typed(screen), groups(screen), busy(screen);
    for (SearchEdit* field : {&empty, &typed, &groups, &busy}) {
        field->setFixedSize(screen.scaleX(100), screen.scaleY(16));
        layout.addWidget(field);
    }
    ASSERT_TRUE(test::showActive(window));
    typed.typeKey(ListKey{'A', QStringLiteral("Anna K"), false});
    groups.setMode(SearchMode::Group);
    groups.setGroupText(QStringLiteral("A-D-A"));
    busy.typeKey(ListKey{'A', QStringLiteral("Smi"), false});
    qint64 now = 0;
    busy.setClock([&] { return now; });
    busy.busyStart();
    now = 600;
    busy.busyStep();
    window.setFocus();
    const QImage image = test::saveScreenshot(window, QStringLiteral("searchedit-") + suffix);
    EXPECT_EQ(image.width(), screen.scaleX(100) + 4);
}

TEST(SearchEditScreenshotTest, FieldModesAt96And192Dpi) {
    screenshotField(Screen(96, 96), QStringLiteral("96"));
    screenshotField(Screen(192, 192), QStringLiteral("192"));
}

}  // namespace
}  // namespace kontavo
