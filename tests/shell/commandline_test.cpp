#include "shell/commandline.h"

#include <gtest/gtest.h>

#include "shell/menucommands.h"
#include "shell/programoptions.h"

namespace kontavo {
namespace {

struct CommandLineCase {
    const char* name;
    const char* text;
    std::optional<OpenContactRequest> expected;
};

TEST(CommandLineTest, AcceptsOnlyEditOrViewWithANonZeroHexadecimalOid) {
    const CommandLineCase cases[] = {
        {"view", "v 1A2B", OpenContactRequest{u'v', 0x1A2B}},
        {"edit", "e 1a2b", OpenContactRequest{u'e', 0x1A2B}},
        {"upper-case letter", "V 1A2B", OpenContactRequest{u'v', 0x1A2B}},
        {"whole word", "view 1A2B", OpenContactRequest{u'v', 0x1A2B}},
        {"word after the number is ignored", "e 10 extra", OpenContactRequest{u'e', 0x10}},
        {"digits stop at a non-digit", "v 12zz", OpenContactRequest{u'v', 0x12}},
        {"0x prefix", "v 0x1A2B", OpenContactRequest{u'v', 0x1A2B}},
        {"blanks before the number", "v   ff", OpenContactRequest{u'v', 0xFF}},
        {"largest oid", "v FFFFFFFF", OpenContactRequest{u'v', 0xFFFFFFFF}},
        {"e without number", "e", std::nullopt},
        {"e with blank only", "e ", std::nullopt},
        {"zero", "e 0", std::nullopt},
        {"zero with prefix", "v 0x0", std::nullopt},
        {"other letter", "x 1A2B", std::nullopt},
        {"empty", "", std::nullopt},
        {"no blank", "v1A2B", std::nullopt},
        {"not hexadecimal", "v zz", std::nullopt},
        {"sign", "v -5", std::nullopt},
        {"wider than 32 bits", "v 100000000", std::nullopt},
        {"leading blank", " v 1A2B", std::nullopt},
    };
    for (const CommandLineCase& row : cases) {
        EXPECT_EQ(CommandLine::parse(QString::fromUtf8(row.text)), row.expected) << row.name;
    }
}

TEST(ProgramOptionsTest, SeparatesOptionsFromTheCommandLine) {
    QString error;
    const auto options = ProgramOptions::parse(
        {QStringLiteral("--device-root"), QStringLiteral("/tmp/d"), QStringLiteral("v"),
         QStringLiteral("--dpi=192"), QStringLiteral("1A2B")},
        &error);
    ASSERT_TRUE(options);
    EXPECT_EQ(options->deviceRoot, QStringLiteral("/tmp/d"));
    EXPECT_EQ(options->dpi, 192);
    EXPECT_EQ(options->commandLine, QStringLiteral("v 1A2B"));
    EXPECT_FALSE(options->screenshot);
    const auto shot =
        ProgramOptions::parse({QStringLiteral("--screenshot"), QStringLiteral("x.png")}, &error);
    EXPECT_EQ(shot->screenshot, QStringLiteral("x.png"));
    EXPECT_EQ(shot->dpi, 96);
}

TEST(ProgramOptionsTest, SwitchesForTheDemonstrationDeviceTheKeyboardHelpAndVersion) {
    QString error;
    const auto options = ProgramOptions::parse({QStringLiteral("--demo"), QStringLiteral("--sip"),
                                                QStringLiteral("e"), QStringLiteral("12")},
                                               &error);
    ASSERT_TRUE(options);
    EXPECT_TRUE(options->demo);
    EXPECT_TRUE(options->sipUp);
    EXPECT_FALSE(options->deviceRoot);
    EXPECT_EQ(options->commandLine, QStringLiteral("e 12"));
    EXPECT_TRUE(ProgramOptions::parse({QStringLiteral("--help")}, &error)->help);
    EXPECT_TRUE(ProgramOptions::parse({QStringLiteral("-h")}, &error)->help);
    EXPECT_TRUE(ProgramOptions::parse({QStringLiteral("--version")}, &error)->version);
    EXPECT_FALSE(ProgramOptions::parse({}, &error)->demo);
}

TEST(ProgramOptionsTest, RefusesBadOptionsWithAReason) {
    const QList<QStringList> bad = {
        {QStringLiteral("--dpi"), QStringLiteral("120")},
        {QStringLiteral("--dpi")},
        {QStringLiteral("--device-root=")},
        {QStringLiteral("--verbose")},
        {QStringLiteral("--demo"), QStringLiteral("--device-root"), QStringLiteral("/tmp/d")}};
    for (const QStringList& arguments : bad) {
        QString error;
        EXPECT_FALSE(ProgramOptions::parse(arguments, &error)) << arguments.join(' ').toStdString();
        EXPECT_FALSE(error.isEmpty());
    }
}

TEST(MenuCommandsTest, MainWindowKeepsOnlyItsOwnCommands) {
    for (int id : {1, 40004, 41147, 41207, 41229}) {
        EXPECT_EQ(commandOwner(id), CommandOwner::MainWindow) << id;
    }
    for (int id : {41209, 41283, 41290, 41214, 41218}) {
        EXPECT_EQ(commandOwner(id), CommandOwner::ContactsFrame) << id;
    }
    EXPECT_EQ(commandOwner(12345), CommandOwner::Unknown);
}

}  // namespace
}  // namespace kontavo
