#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>

#include "store/pictures/bmpcodec.h"
#include "store/pictures/imagefile.h"
#include "support/tempdevice.h"

namespace kontavo {
namespace {

struct PictureRun {
    int status = -1;
    QString out;
    QString err;
};

class KontavoStorePictureTest : public ::testing::Test {
protected:
    PictureRun run(QStringList arguments) {
        arguments.prepend(m_device.root());
        arguments.prepend(QStringLiteral("--device-root"));
        QProcess process;
        process.start(test::builtProgram(QStringLiteral("kontavo-store")), arguments);
        process.waitForFinished(60000);
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }
    QString writeFile(const QString& name, const QByteArray& bytes) {
        const QString path = m_device.root() + QStringLiteral("/../") + name;
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return path;
    }
    QString pictureFile(const QString& name) {
        return m_device.host(QStringLiteral("\\Kontavo Files\\") + name);
    }

    test::TempDevice m_device;
};

TEST_F(KontavoStorePictureTest, APictureIsFramedSavedAndNamedInTheNotes) {
    const QString oid = run({"add", "FirstName=Anna", "LastName=O'Neil"}).out.trimmed();
    const int width = 100;
    const int height = 80;
    const Picture source = PictureBitmap::create(
        width, height, QByteArray(PictureBitmap::rowSize(width) * height, '\x7f'));
    const QString file = writeFile("photo.dat", encodeBmp(*source));

    const PictureRun set = run({"set-picture", oid, file});
    ASSERT_EQ(set.status, 0) << set.err.toStdString();
    EXPECT_EQ(set.out, "Anna_O'Neil.bmp\n");
    const ImageLoad stored = loadImageFile(pictureFile("Anna_O'Neil.bmp"), 1);
    ASSERT_TRUE(stored.ok());
    EXPECT_EQ(stored.format, ImageFormat::Bmp);
    EXPECT_EQ(stored.picture->width(), 100);  // the starting frame holds all of it
    EXPECT_TRUE(run({"notes", oid}).out.contains("[Anna_O'Neil.bmp]"));

    const PictureRun cleared = run({"set-picture", oid, "--clear"});
    ASSERT_EQ(cleared.status, 0) << cleared.err.toStdString();
    EXPECT_FALSE(QFile::exists(pictureFile("Anna_O'Neil.bmp")));
    EXPECT_FALSE(run({"notes", oid}).out.contains("Anna_O'Neil.bmp"));
}

TEST_F(KontavoStorePictureTest, EachLoadFailureIsNamed) {
    const QString oid = run({"add", "LastName=Kept"}).out.trimmed();
    const PictureRun missing = run({"set-picture", oid, "/nonexistent/photo.jpg"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.err.contains("Cannot open picture file")) << missing.err.toStdString();
    const PictureRun text = run({"set-picture", oid, writeFile("text.bmp", "hello")});
    EXPECT_EQ(text.status, 1);
    EXPECT_TRUE(text.err.contains("Image format is not supported")) << text.err.toStdString();
    QByteArray huge = encodeBmp(*PictureBitmap::create(1, 1, QByteArray(4, '\0')));
    huge[18] = char(0xFF);  // 32767 pixels wide: past the limits
    huge[19] = char(0x7F);
    const PictureRun large = run({"set-picture", oid, writeFile("huge.bmp", huge)});
    EXPECT_EQ(large.status, 1);
    EXPECT_TRUE(large.err.contains("Not enough memory to load image")) << large.err.toStdString();
    EXPECT_EQ(run({"set-picture", oid}).status, 2);
    EXPECT_EQ(run({"set-picture", oid, "x.bmp", "--clear"}).status, 2);
}

}  // namespace
}  // namespace kontavo
