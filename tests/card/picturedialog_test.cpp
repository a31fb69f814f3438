// The picture editor dialog driven by real pen events.
#include "card/picturedialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include "card/pictureview.h"
#include "platform/screen.h"
#include "support/tempdevice.h"
#include "support/testimages.h"
#include "ui/messageboxes.h"
#include "ui/sharedfonts.h"
#include "ui/shellui.h"

namespace kontavo {
namespace {

class RecordingBoxes final : public MessageBoxes {
public:
    RecordingBoxes() { install(this); }
    ~RecordingBoxes() override { install(nullptr); }
    void show(QWidget*, const QString& text, const QString&, Icon) override { shown.append(text); }
    QStringList shown;
};

class PictureDialogTest : public ::testing::TestWithParam<int> {
protected:
    PictureDialogTest() {
        Screen::setCurrent(Screen(GetParam(), GetParam()));
        SharedFonts::setCurrent(SharedFonts::create(device.settings(), Screen::current()));
        shell = std::make_unique<ShellUi>();
        photo = m_dir.filePath("photo.jpg");
        QFile file(photo);
        file.open(QIODevice::WriteOnly);
        file.write(test::encodeJpeg(test::TestImage::pattern(640, 480)));
    }
    ~PictureDialogTest() override {
        dialog.reset();
        shell.reset();
        SharedFonts::release();
        Screen::setCurrent(Screen());
    }
    PictureDialog& open(const Picture& picture) {
        dialog = std::make_unique<PictureDialog>(picture, [this]() -> std::optional<QString> {
            ++browsed;
            return next;
        });
        dialog->createModeless();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        return *dialog;
    }
    void press(const char* name) {
        QTest::mouseClick(dialog->findChild<QAbstractButton*>(name), Qt::LeftButton);
    }
    void save(const QString& name) {
        const QString folder = QStringLiteral(KONTAVO_BIN_DIR "/../screenshots/card");
        QDir().mkpath(folder);
        dialog->grab().save(folder + QStringLiteral("/%1-%2.png").arg(name).arg(GetParam()));
    }

    QTemporaryDir m_dir;
    test::TempDevice device;
    std::unique_ptr<ShellUi> shell;
    std::unique_ptr<PictureDialog> dialog;
    QString photo;
    std::optional<QString> next;
    int browsed = 0;
    RecordingBoxes boxes;
};

TEST_P(PictureDialogTest, WithoutAPictureItBrowsesAndShowsTheWholePhoto) {
    next = photo;
    PictureDialog& editor = open(nullptr);
    QTRY_COMPARE(browsed, 1);
    EXPECT_EQ(editor.editor().zoom(), GetParam() == 96 ? 26 : 33);
    EXPECT_EQ(editor.findChild<QScrollBar*>("zoom")->value(), editor.editor().zoom());
    EXPECT_FALSE(editor.findChild<QCheckBox*>("preview")->isChecked());
    save("picturedialog-photo");
    press("preview");
    EXPECT_TRUE(editor.editor().preview());
    save("picturedialog-preview");
    press("ok");
    ASSERT_NE(editor.result(), nullptr);
    EXPECT_NEAR(editor.result()->width(), GetParam() == 96 ? 143 : 140, 1);
}

TEST_P(PictureDialogTest, ZoomBarRotateDragAndOneToOne) {
    next = photo;
    PictureDialog& editor = open(nullptr);
    QTRY_COMPARE(browsed, 1);
    auto* zoom = editor.findChild<QScrollBar*>("zoom");
    QTest::keyClick(zoom, Qt::Key_Right);
    EXPECT_EQ(editor.editor().zoom(), zoom->value());
    zoom->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(editor.editor().zoom(), zoom->value());
    EXPECT_EQ(zoom->pageStep(), 19);
    press("unit");
    EXPECT_EQ(zoom->value(), 49);
    EXPECT_DOUBLE_EQ(editor.editor().scale(), 1.0);
    press("rotate");
    EXPECT_EQ(editor.editor().rotation(), 1);
    auto* view = editor.findChild<PictureView*>("view");
    const QPointF before = editor.editor().drag();
    const QPoint centre = view->rect().center();
    QTest::mousePress(view, Qt::LeftButton, {}, centre);
    QTest::mouseMove(view, centre + QPoint(7, 3));
    QTest::mouseRelease(view, Qt::LeftButton, {}, centre + QPoint(7, 3));
    EXPECT_EQ(editor.editor().drag(), before + QPointF(7, 3));
}

TEST_P(PictureDialogTest, AFileThatCannotBeLoadedIsReportedAndThePictureKept) {
    const Picture small = PictureBitmap::create(4, 4, QByteArray(48, '\x55'));
    PictureDialog& editor = open(small);
    EXPECT_EQ(browsed, 0);  // it has a picture: no browsing at the start
    next = m_dir.filePath("missing.jpg");
    press("browse");
    next = m_dir.filePath("photo.dat");
    QFile text(*next);
    text.open(QIODevice::WriteOnly);
    text.write("not an image");
    text.close();
    press("browse");
    EXPECT_EQ(boxes.shown,
              QStringList({"Cannot open picture file", "Image format is not supported"}));
    EXPECT_EQ(editor.editor().picture(), small);
    press("ok");
    EXPECT_EQ(editor.result(), small);  // unchanged: the very picture it opened with
}

TEST_P(PictureDialogTest, ClearThenOkGivesNoPicture) {
    PictureDialog& editor = open(PictureBitmap::create(4, 4, QByteArray(48, '\x55')));
    press("clear");
    press("ok");
    EXPECT_EQ(editor.result(), nullptr);
    EXPECT_EQ(editor.QDialog::result(), QDialog::Accepted);
}

INSTANTIATE_TEST_SUITE_P(Dpi, PictureDialogTest, ::testing::Values(96, 192));

}  // namespace
}  // namespace kontavo
