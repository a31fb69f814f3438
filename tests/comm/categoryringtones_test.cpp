// The category ringtone table, its file and the companion's notice.
#include "comm/categoryringtones.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include "platform/localwindowregistry.h"
#include "store/settings/datafolder.h"
#include "store/settings/settingsstore.h"
#include "support/tempdevice.h"

namespace kontavo {
namespace {

QByteArray hex(const char* text) {
    return QByteArray::fromHex(text);
}

QByteArray utf16z(const QString& text) {
    QByteArray bytes;
    for (const QChar unit : text) {
        bytes.append(char(unit.unicode() & 0xFF)).append(char(unit.unicode() >> 8));
    }
    return bytes.append(2, '\0');
}

TEST(RingtoneCodecTest, OneEntryIsSixtyBytesFieldByField) {
    const QString name = QStringLiteral("Family");
    const QString sound = QStringLiteral("\\My Music\\ab.wav");
    ASSERT_EQ(name.size(), 6);
    ASSERT_EQ(sound.size(), 16);
    const auto bytes = ringtonecodec::encode({{name, sound}});
    ASSERT_TRUE(bytes);
    const QByteArray expected =
        hex("5247544e01000100") + hex("0600") + utf16z(name) + hex("1000") + utf16z(sound);
    EXPECT_EQ(bytes->size(), 60);
    EXPECT_EQ(*bytes, expected);
    EXPECT_EQ(ringtonecodec::decode(expected), (QList<RingtoneEntry>{{name, sound}}));
}

TEST(RingtoneCodecTest, RoundTripKeepsOrderDuplicatesAndAnyText) {
    const QList<RingtoneEntry> entries = {
        {QStringLiteral("Друзья"), QStringLiteral("\\My Documents\\звонок.wav")},
        {QString(), QString()},
        {QStringLiteral("Work"), QStringLiteral("\\a.wav")},
        {QStringLiteral("Work"), QStringLiteral("\\b.wav")},
        {QString(1000, u'x'), QString(QChar(0xD83D)) + QChar(0xDE00)},
    };
    const auto bytes = ringtonecodec::encode(entries);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(ringtonecodec::decode(*bytes), entries);
}

TEST(RingtoneCodecTest, RefusesWhatItsFieldsCannotHold) {
    EXPECT_FALSE(ringtonecodec::encode({}));
    EXPECT_FALSE(ringtonecodec::encode({{QString(0x10000, u'n'), QStringLiteral("p")}}));
    EXPECT_FALSE(ringtonecodec::encode({{QStringLiteral("n"), QString(0x10000, u'p')}}));
    EXPECT_TRUE(ringtonecodec::encode({{QString(0xFFFF, u'n'), QStringLiteral("p")}}));
    const QList<RingtoneEntry> tooMany(0x10000, {QStringLiteral("n"), QStringLiteral("p")});
    EXPECT_FALSE(ringtonecodec::encode(tooMany));
}

TEST(RingtoneCodecTest, RejectsWrongHeadersAndEveryTruncation) {
    const QByteArray good =
        *ringtonecodec::encode({{QStringLiteral("A"), QStringLiteral("\\a.wav")},
                                {QStringLiteral("B"), QStringLiteral("\\b.wav")}});
    QByteArray version2 = good;
    version2[4] = 2;
    EXPECT_FALSE(ringtonecodec::decode(version2));
    QByteArray magic = good;
    magic[0] = 'r';
    EXPECT_FALSE(ringtonecodec::decode(magic));
    EXPECT_FALSE(ringtonecodec::decode(hex("5247544e01000000")));  // no entries
    for (qsizetype size = 0; size < good.size(); ++size) {
        EXPECT_FALSE(ringtonecodec::decode(good.left(size))) << "cut at " << size;
    }
    QByteArray longName = good;
    longName[8] = char(0xFF);  // the first name runs past the end
    longName[9] = char(0xFF);
    EXPECT_FALSE(ringtonecodec::decode(longName));
    EXPECT_TRUE(ringtonecodec::decode(good + "trailing"));
}

class CategoryRingtonesTest : public ::testing::Test {
protected:
    CategoryRingtonesTest() { device.writeFile(QStringLiteral("\\My Music\\ring.wav"), "RIFF"); }

    QString fileHost() const { return device.host(CategoryRingtones::filePath()); }
    QByteArray fileBytes() const {
        QFile file(fileHost());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // What the companion's window received so far (after the posts arrive).
    QList<WindowMessage> companionInbox(int expected) {
        if (expected > 0) {
            static_cast<void>(QTest::qWaitFor([&] { return inbox.size() >= expected; }, 5000));
        } else {
            QTest::qWait(100);
        }
        return inbox;
    }
    std::unique_ptr<WindowEndpoint> openCompanion() {
        return windows.createWindow(CategoryRingtones::companionClass(),
                                    {[this](const WindowMessage& message, bool) {
                                         inbox.append(message);
                                         return 0;
                                     },
                                     {}});
    }

    test::TempDevice device;
    QTemporaryDir runtime;
    LocalWindowRegistry windows{runtime.path()};
    QList<WindowMessage> inbox;
    CategoryRingtones table{device.fs(), device.settings(), &windows};
};

TEST_F(CategoryRingtonesTest, WritesTheFileInTheDataFolderAndTellsTheCompanion) {
    const auto companion = openCompanion();
    table.load();
    table.setRingtone(QStringLiteral("Family"), QStringLiteral("\\My Music\\ring.wav"));
    EXPECT_EQ(table.save(), CategoryRingtones::SaveResult::Written);
    EXPECT_EQ(fileBytes().size(), 8 + 2 + 14 + 2 + 2 * 19);
    const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                            QFileDevice::ReadOther | QFileDevice::WriteOther;
    EXPECT_FALSE(QFile::permissions(fileHost()) & others);
    EXPECT_EQ(device.settings().get(settings::kMyDocumentsFolder),
              QStringLiteral("\\My Documents"));
    EXPECT_TRUE(table.entries().isEmpty());  // released until the next load
    EXPECT_EQ(companionInbox(1), (QList<WindowMessage>{{3026, 0, 0}}));

    CategoryRingtones again(device.fs(), device.settings(), &windows);
    again.load();
    QString path;
    EXPECT_EQ(again.ringtone(QStringLiteral("Family"), &path), CategoryRingtones::Present);
    EXPECT_EQ(path, QStringLiteral("\\My Music\\ring.wav"));
    EXPECT_EQ(again.ringtone(QStringLiteral("family")), CategoryRingtones::NoRingtone);
    EXPECT_EQ(again.save(), CategoryRingtones::SaveResult::Unchanged);
}

TEST_F(CategoryRingtonesTest, NewEntriesGoFirstAndTheNewerOfTwoNamesIsFound) {
    table.addRingtone(QStringLiteral("Work"), QStringLiteral("\\old.wav"));
    table.setRingtone(QStringLiteral("Home"), QStringLiteral("\\home.wav"));
    table.addRingtone(QStringLiteral("Work"), QStringLiteral("\\My Music\\ring.wav"));
    ASSERT_EQ(table.entries().size(), 3);
    EXPECT_EQ(table.entries()[0].path, QStringLiteral("\\My Music\\ring.wav"));
    EXPECT_EQ(table.entries()[1].name, QStringLiteral("Home"));
    QString path;
    EXPECT_EQ(table.ringtone(QStringLiteral("Work"), &path), CategoryRingtones::Present);
    EXPECT_EQ(path, QStringLiteral("\\My Music\\ring.wav"));
    EXPECT_EQ(table.ringtone(QStringLiteral("Home")), CategoryRingtones::FileMissing);
    table.setRingtone(QStringLiteral("Home"), QStringLiteral("\\My Music\\ring.wav"));
    EXPECT_EQ(table.entries()[1].path, QStringLiteral("\\My Music\\ring.wav"));

    table.removeRingtone(QStringLiteral("Work"));  // the newer one
    ASSERT_EQ(table.entries().size(), 2);
    EXPECT_EQ(table.entries()[1].path, QStringLiteral("\\old.wav"));
    EXPECT_EQ(table.ringtone(QStringLiteral("Work")), CategoryRingtones::FileMissing);

    ASSERT_EQ(table.save(), CategoryRingtones::SaveResult::Written);
    table.load();
    EXPECT_EQ(table.entries().size(), 2);
    EXPECT_EQ(table.entries()[0].name, QStringLiteral("Home"));  // file order kept
}

TEST_F(CategoryRingtonesTest, RemovingTheLastEntryDeletesTheFileAndTellsTheCompanion) {
    table.setRingtone(QStringLiteral("Family"), QStringLiteral("\\My Music\\ring.wav"));
    ASSERT_EQ(table.save(), CategoryRingtones::SaveResult::Written);
    const auto companion = openCompanion();
    table.load();
    table.removeRingtone(QStringLiteral("Family"));
    EXPECT_TRUE(table.isChanged());
    EXPECT_EQ(table.save(), CategoryRingtones::SaveResult::Deleted);
    EXPECT_FALSE(QFile::exists(fileHost()));
    EXPECT_EQ(companionInbox(1), (QList<WindowMessage>{{3026, 0, 0}}));
}

TEST_F(CategoryRingtonesTest, RemovingFromAnEmptyTableChangesNothing) {
    table.load();
    table.removeRingtone(QStringLiteral("Family"));
    EXPECT_FALSE(table.isChanged());
    table.setRingtone(QStringLiteral("A"), QStringLiteral("\\a.wav"));
    table.removeRingtone(QStringLiteral("B"));  // no match: still a change
    EXPECT_TRUE(table.isChanged());
}

TEST_F(CategoryRingtonesTest, AVersion2OrDamagedFileGivesAnEmptyTable) {
    const QByteArray good =
        *ringtonecodec::encode({{QStringLiteral("Family"), QStringLiteral("\\x.wav")}});
    QByteArray version2 = good;
    version2[4] = 2;
    device.writeFile(CategoryRingtones::filePath(), version2);
    table.load();
    EXPECT_TRUE(table.entries().isEmpty());
    device.writeFile(CategoryRingtones::filePath(), good.left(good.size() - 1));
    table.load();
    EXPECT_TRUE(table.entries().isEmpty());
    device.writeFile(CategoryRingtones::filePath(), good);
    table.load();
    EXPECT_EQ(table.entries().size(), 1);
}

TEST_F(CategoryRingtonesTest, AFailedWriteKeepsTheTableAndTellsNobody) {
    const auto companion = openCompanion();
    // Where the data folder belongs there is a file: nothing can be written.
    device.writeFile(DeviceFs::documentsFolder() + QStringLiteral("\\Kontavo Files"), "x");
    table.setRingtone(QStringLiteral("Family"), QStringLiteral("\\My Music\\ring.wav"));
    EXPECT_EQ(table.save(), CategoryRingtones::SaveResult::Failed);
    EXPECT_TRUE(table.isChanged());
    EXPECT_EQ(table.entries().size(), 1);
    EXPECT_TRUE(companionInbox(0).isEmpty());
    ASSERT_TRUE(QFile::remove(device.host(programDataFolder())));
    EXPECT_EQ(table.save(), CategoryRingtones::SaveResult::Written);
    EXPECT_EQ(companionInbox(1).size(), 1);
}

TEST_F(CategoryRingtonesTest, AFileThatCannotBeReplacedIsKeptWhole) {
    table.setRingtone(QStringLiteral("Family"), QStringLiteral("\\My Music\\ring.wav"));
    ASSERT_EQ(table.save(), CategoryRingtones::SaveResult::Written);
    // The new table goes to a temporary file first; while the rename
    // cannot happen (a folder holds the name) nothing is lost.
    ASSERT_TRUE(QFile::remove(fileHost()));
    ASSERT_TRUE(QDir().mkpath(fileHost() + QStringLiteral("/kept")));
    table.setRingtone(QStringLiteral("Work"), QStringLiteral("\\w.wav"));
    EXPECT_EQ(table.save(), CategoryRingtones::SaveResult::Failed);
    EXPECT_TRUE(QFileInfo(fileHost() + QStringLiteral("/kept")).isDir());
    EXPECT_EQ(QDir(device.host(programDataFolder())).entryList(QDir::Files), QStringList());
}

TEST_F(CategoryRingtonesTest, ATooLongPathIsRefusedNotWrapped) {
    table.setRingtone(QStringLiteral("Family"), QString(0x10000, u'p'));
    EXPECT_EQ(table.save(), CategoryRingtones::SaveResult::Failed);
    EXPECT_FALSE(QFile::exists(fileHost()));
}

}  // namespace
}  // namespace kontavo
