// The file chooser: its folder model and filter, the preview thread, and the
// dialog driven by real pen events.
#include "card/filechooser.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <mutex>

#include "card/filechoosermodel.h"
#include "card/picturepreviewloader.h"
#include "card/previewtext.h"
#include "platform/screen.h"
#include "platform/sound.h"
#include "store/pictures/bmpcodec.h"
#include "store/settings/settingsstore.h"
#include "support/tempdevice.h"
#include "support/testimages.h"
#include "ui/sharedfonts.h"
#include "ui/shellui.h"

namespace kontavo {
namespace {

TEST(FileFilterTest, PairsOfDescriptionAndExtensionsEachEndWithABar) {
    const FileFilter filter = FileFilter::parse("Pictures|.jpg;.BMP|All|*|");
    ASSERT_EQ(filter.entries().size(), 2);
    EXPECT_EQ(filter.entries()[0].description, "Pictures");
    EXPECT_TRUE(filter.matches(0, "a.JPG"));
    EXPECT_TRUE(filter.matches(0, "b.bmp"));
    EXPECT_FALSE(filter.matches(0, "c.jpeg"));
    EXPECT_FALSE(filter.matches(0, "jpg"));  // no extension never matches
    EXPECT_TRUE(filter.matches(1, "anything"));
    EXPECT_FALSE(filter.matches(2, "a.jpg"));
}

TEST(FileFilterTest, ThePictureFilterOffersEveryDecodableExtensionOnce) {
    const FileFilter filter = FileFilter::parse(FileChooser::filterText(FileChooser::Kind::Picture));
    ASSERT_EQ(filter.entries().size(), 1);
    QStringList extensions = filter.entries()[0].extensions;
    EXPECT_EQ(extensions.removeDuplicates(), 0);
    for (const char* name : {"a.gif", "a.jpe", "a.jfif", "a.tiff", "a.bmp"}) {
        EXPECT_TRUE(filter.matches(0, name)) << name;
    }
    EXPECT_TRUE(FileChooser::filterText(FileChooser::Kind::Sound).startsWith("Файлы мелодий|"));
}

class FileChooserModelTest : public ::testing::Test {
protected:
    FileChooserModelTest() {
        for (const char* path : {"\\My Documents\\b.jpg", "\\My Documents\\A.BMP",
                                 "\\My Documents\\notes.txt", "\\My Documents\\noext",
                                 "\\My Documents\\zeta\\deep.gif", "\\My Documents\\Alpha\\x.bmp"}) {
            m_device.writeFile(path, "x");
        }
    }
    test::TempDevice m_device;
};

TEST_F(FileChooserModelTest, ListsParentThenFoldersThenMatchingFiles) {
    FileChooserModel model(m_device.fs(), FileFilter::parse("P|.jpg;.bmp|"));
    model.setFolder("\\My Documents");
    QStringList names;
    for (const auto& entry : model.entries()) {
        names.append(entry.name);
    }
    EXPECT_EQ(names, QStringList({"..", "Alpha", "zeta", "A.BMP", "b.jpg"}));
    EXPECT_FALSE(model.isFile(0));
    EXPECT_FALSE(model.isFile(1));
    EXPECT_TRUE(model.isFile(3));
    EXPECT_EQ(model.pathOf(4), "\\My Documents\\b.jpg");
    EXPECT_EQ(model.folderLines(), QStringList({"My Device", "  My Documents"}));
    ASSERT_TRUE(model.open(2));
    EXPECT_EQ(model.folderLines(), QStringList({"My Device", "  My Documents", "    zeta"}));
    ASSERT_TRUE(model.open(0));  // ".."
    EXPECT_EQ(model.folder(), "\\My Documents");
    model.goToLine(0);
    EXPECT_EQ(model.folder(), "\\");
    EXPECT_NE(model.entries().value(0).name, "..");  // none at the root
}

TEST_F(FileChooserModelTest, AMissingOrOverlongStartFolderFallsBackToTheRoot) {
    FileChooserModel model(m_device.fs(), FileFilter::parse("P|*|"));
    model.setFolder("\\Nowhere");
    EXPECT_EQ(model.folder(), "\\");
    model.setFolder("\\" + QString(300, 'a'));
    EXPECT_EQ(model.folder(), "\\");
    model.setFolder("\\..\\etc");
    EXPECT_EQ(model.folder(), "\\");
}

TEST(PreviewTextTest, FormatAndSizeOrAnError) {
    ImageLoad load{PictureBitmap::create(4, 3, QByteArray(12 * 3, '\0')), 0, ImageFormat::Jpeg};
    EXPECT_EQ(previewtext::result(load), "JPEG, 4x3");
    EXPECT_EQ(previewtext::result(ImageLoad::failed(-2)), "Error while loading!");
    EXPECT_EQ(fitPreview({640, 480}, {120, 90}), QSize(120, 90));
    EXPECT_EQ(fitPreview({60, 40}, {120, 90}), QSize(60, 40));  // never enlarged
    EXPECT_EQ(fitPreview({100, 400}, {120, 90}), QSize(22, 90));
}

TEST(PicturePreviewLoaderTest, ANewRequestCancelsTheOneBeforeIt) {
    QTemporaryDir dir;
    const int side = 3000;
    const Picture big =
        PictureBitmap::create(side, side, QByteArray(PictureBitmap::rowSize(side) * side, '\1'));
    QFile bigFile(dir.filePath("big.bmp"));
    bigFile.open(QIODevice::WriteOnly);
    bigFile.write(encodeBmp(*big));
    bigFile.close();
    QFile smallFile(dir.filePath("small.gif"));
    smallFile.open(QIODevice::WriteOnly);
    smallFile.write(test::encodeGif(test::TestImage::pattern(5, 4)));
    smallFile.close();

    std::mutex mutex;
    QList<std::pair<int, int>> delivered;  // request, width
    {
        PicturePreviewLoader loader([&](int request, const QString&, const ImageLoad& load) {
            std::lock_guard lock(mutex);
            delivered.append({request, load.ok() ? load.picture->width() : load.code});
        });
        const int first = loader.request(bigFile.fileName());
        const int second = loader.request(smallFile.fileName());
        EXPECT_NE(first, second);
        for (int wait = 0; wait < 500; ++wait) {
            {
                std::lock_guard lock(mutex);
                if (!delivered.isEmpty()) {
                    break;
                }
            }
            QTest::qWait(10);
        }
        // A cancelled request that is still being decoded when the loader goes.
        loader.request(bigFile.fileName());
    }
    ASSERT_EQ(delivered.size(), 1);
    EXPECT_EQ(delivered[0], std::make_pair(2, 5));
}

// A sound service that writes down what the chooser asks of it.
class RecordingSound final : public Sound {
public:
    bool playSync(const QByteArray&) override { return false; }
    bool playFileAsync(const QString& path) override {
        events.append("play " + QFileInfo(path).fileName());
        return true;
    }
    void stop() override { events.append("stop"); }
    std::optional<uint32_t> volume() override { return std::nullopt; }
    bool setVolume(uint32_t) override { return false; }
    void wait(int) override {}
    QStringList events;
};

class FileChooserTest : public ::testing::TestWithParam<int> {
protected:
    FileChooserTest() {
        Screen::setCurrent(Screen(GetParam(), GetParam()));
        SharedFonts::setCurrent(SharedFonts::create(device.settings(), Screen::current()));
        shell = std::make_unique<ShellUi>();
        device.writeFile("\\My Documents\\Pictures\\photo.jpg",
                         test::encodeJpeg(test::TestImage::pattern(640, 480)));
        device.writeFile("\\My Documents\\Pictures\\broken.gif", "GIF89a broken");
        device.writeFile("\\My Documents\\Pictures\\readme.txt", "text");
        device.writeFile("\\My Documents\\Pictures\\Holiday\\sea.bmp", "BM");
        device.writeFile("\\My Documents\\a.wav", "RIFF");
        device.writeFile("\\My Documents\\b.mp3", "ID3");
    }
    ~FileChooserTest() override {
        chooser.reset();
        shell.reset();
        SharedFonts::release();
        Screen::setCurrent(Screen());
    }
    FileChooser& open(FileChooser::Kind kind) {
        chooser = std::make_unique<FileChooser>(kind, device.fs(), device.settings(), &sound);
        chooser->createModeless();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(chooser.get()));
        chooser->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(chooser.get()));
        return *chooser;
    }
    QListWidget* files() { return chooser->findChild<QListWidget*>("files"); }
    QString info() { return chooser->findChild<QLabel*>("info")->text(); }
    QStringList rows() {
        QStringList texts;
        for (int i = 0; i < files()->count(); ++i) {
            texts.append(files()->item(i)->text());
        }
        return texts;
    }
    void tap(const QString& text, bool twice = false) {
        const QList<QListWidgetItem*> found = files()->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << text.toStdString();
        files()->scrollToItem(found[0]);
        const QPoint at = files()->visualItemRect(found[0]).center();
        if (twice) {
            // A double tap: the first tap selects, the second opens.
            QTest::mouseClick(files()->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(files()->viewport(), Qt::LeftButton, {}, at);
        } else {
            QTest::mouseClick(files()->viewport(), Qt::LeftButton, {}, at);
        }
    }
    void save(const QString& name) {
        const QString folder = QStringLiteral(KONTAVO_BIN_DIR "/../screenshots/card");
        QDir().mkpath(folder);
        chooser->grab().save(folder + QStringLiteral("/%1-%2.png").arg(name).arg(GetParam()));
    }

    test::TempDevice device;
    std::unique_ptr<ShellUi> shell;
    RecordingSound sound;
    std::unique_ptr<FileChooser> chooser;
};

TEST_P(FileChooserTest, PicturesShowAPreviewWithTheirFormatAndSize) {
    device.settings().set(settings::kLastPicPath, "\\My Documents\\Pictures");
    FileChooser& dialog = open(FileChooser::Kind::Picture);
    EXPECT_EQ(dialog.windowTitle(), "Select a picture...");
    EXPECT_EQ(rows(), QStringList({"..", "[Holiday]", "broken.gif", "photo.jpg"}));
    EXPECT_EQ(info(), "No selected image.");
    auto* ok = dialog.findChild<QPushButton*>("ok");
    EXPECT_FALSE(ok->isEnabled());

    tap("photo.jpg");
    EXPECT_EQ(info(), "Loading... Please, wait.");
    EXPECT_TRUE(ok->isEnabled());
    QTRY_COMPARE_WITH_TIMEOUT(info(), QString("JPEG, 640x480"), 10000);
    const QLabel* preview = dialog.findChild<QLabel*>("preview");
    const QPixmap shown = preview->pixmap();
    ASSERT_FALSE(shown.isNull());
    EXPECT_LE(shown.width(), preview->width());
    EXPECT_LE(shown.height(), preview->height());
    save("filechooser-preview");

    tap("broken.gif");
    QTRY_COMPARE_WITH_TIMEOUT(info(), QString("Error while loading!"), 10000);
    tap("[Holiday]");
    EXPECT_EQ(info(), "No selected image.");
    EXPECT_FALSE(ok->isEnabled());
}

TEST_P(FileChooserTest, OkNeedsAFileAndTheLastFolderIsRemembered) {
    FileChooser& dialog = open(FileChooser::Kind::Picture);
    auto* folders = dialog.findChild<QComboBox*>("folders");
    EXPECT_EQ(folders->itemText(0), "My Device");
    tap("[My Documents]", true);
    tap("[Pictures]", true);
    EXPECT_EQ(folders->count(), 3);
    EXPECT_EQ(folders->itemText(2), "    Pictures");
    tap("[Holiday]");
    QTest::mouseClick(dialog.findChild<QPushButton*>("ok"), Qt::LeftButton);
    EXPECT_TRUE(dialog.isVisible());  // a folder is no answer
    tap("photo.jpg");
    QTest::mouseClick(dialog.findChild<QPushButton*>("ok"), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.chosen(), "\\My Documents\\Pictures\\photo.jpg");
    EXPECT_EQ(device.settings().get(settings::kLastPicPath), "\\My Documents\\Pictures");
}

TEST_P(FileChooserTest, TheSoundChooserPlaysEachNewSelectionOnce) {
    device.settings().set(settings::kLastSoundPath, "\\My Documents");
    FileChooser& dialog = open(FileChooser::Kind::Sound);
    EXPECT_EQ(dialog.windowTitle(), "Select a sound...");
    EXPECT_EQ(rows(), QStringList({"..", "[Pictures]", "a.wav", "b.mp3"}));
    tap("a.wav");
    tap("a.wav");
    tap("b.mp3");
    EXPECT_EQ(sound.events, QStringList({"stop", "play a.wav", "stop", "play b.mp3"}));
    save("soundchooser");
    dialog.reject();
    EXPECT_EQ(device.settings().get(settings::kLastSoundPath), "\\My Documents");
    chooser.reset();
    EXPECT_EQ(sound.events.last(), "stop");
}

INSTANTIATE_TEST_SUITE_P(Dpi, FileChooserTest, ::testing::Values(96, 192));

}  // namespace
}  // namespace kontavo
