// A number is dialed as shown: formatting never drops, adds or moves a
// digit, a "*", a "#" or a pause (comma), whatever the templates.
#include <gtest/gtest.h>

#include <random>

#include "comm/dialtones.h"
#include "comm/phonenumberformat.h"
#include "comm/phonesyntax.h"
#include "comm/phonetemplateset.h"

namespace kontavo {
namespace {

PhoneTemplateSet activeSet(const QStringList& templates, bool ignoreDashes = false) {
    return PhoneTemplateSet(templates, true, ignoreDashes);
}

TEST(DialSequenceTest, APauseTypedBeforeALiteralDigitStaysThere) {
    const PhoneTemplateSet set = activeSet({QStringLiteral("800-###-####")});
    EXPECT_EQ(formatPhoneNumber("80,01234567", set), QStringLiteral("80,0-123-4567"));
    EXPECT_EQ(formatPhoneNumber("8001,234567", set), QStringLiteral("800-1,23-4567"));
    EXPECT_EQ(dialToneSteps(*formatPhoneNumber("80,01234567", set)), dialToneSteps("80,01234567"))
        << "the tones of the shown number are those of the typed one";
}

TEST(DialSequenceTest, ATemplateThatWouldChangeWhatIsDialedLeavesTheNumberAsTyped) {
    EXPECT_EQ(formatPhoneNumber("12*34*56", activeSet({QStringLiteral("##-##-##")})), std::nullopt)
        << "the stars would be lost";
    EXPECT_EQ(formatPhoneNumber("123456", activeSet({QStringLiteral("###,###")})), std::nullopt)
        << "the template would add a pause";
    EXPECT_EQ(formatPhoneNumber("123456", activeSet({QStringLiteral("###*###")})), std::nullopt);
    EXPECT_EQ(formatPhoneNumber("123456", activeSet({QStringLiteral("###-###")})),
              QStringLiteral("123-456"));
}

// Templates of slots, literal digits, separators, blanks, letters, commas
// and stars; numbers mostly made from one of them (so that many match),
// with pauses, stars, dashes and blanks put in.
class RandomNumbers {
public:
    explicit RandomNumbers(unsigned seed) : m_random(seed) {}

    QString pattern() {
        static const QString pieces = QStringLiteral("####0123456789()-+ /[]ex,*");
        QString text;
        const int length = pick(3, 16);
        for (int i = 0; i < length; ++i) {
            text += pieces[pick(0, int(pieces.size()) - 1)];
        }
        return text;
    }

    QString numberFor(const QString& pattern) {
        QString number;
        if (chance(20)) {
            number += chance(50) ? QStringLiteral("+") : QStringLiteral("tel ");
        }
        for (const QChar c : pattern) {
            if (c == u'#') {
                number += QChar(u'0' + pick(0, 9));
            } else if (phone::isDigit(c)) {
                number += chance(90) ? c : QChar(u'0' + pick(0, 9));
            } else if (chance(50)) {
                number += c;
            }
            if (phone::isSlot(c)) {
                if (chance(15)) {
                    number += u',';
                }
                if (chance(5)) {
                    number += chance(50) ? u'*' : u'-';
                }
                if (chance(5)) {
                    number += u' ';
                }
            }
        }
        if (chance(10)) {
            number += QStringLiteral(" home");
        }
        return number;
    }

    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
    bool chance(int percent) { return pick(1, 100) <= percent; }

private:
    std::mt19937 m_random;
};

TEST(DialSequenceTest, PropertyFormattingKeepsWhatIsDialedForRandomNumbersAndTemplates) {
    RandomNumbers random(20240305);
    int formatted = 0;
    int withPause = 0;
    for (int round = 0; round < 20000; ++round) {
        QStringList templates;
        for (int i = random.pick(1, 4); i > 0; --i) {
            templates.append(random.pattern());
        }
        const QString number =
            random.chance(90)
                ? random.numberFor(templates[random.pick(0, int(templates.size()) - 1)])
                : random.pattern();
        const PhoneTemplateSet set = activeSet(templates, random.chance(30));
        const std::optional<QString> shown = formatPhoneNumber(number, set);
        if (!shown) {
            continue;
        }
        ++formatted;
        withPause += number.contains(u',') ? 1 : 0;
        ASSERT_EQ(phone::dialSequence(*shown), phone::dialSequence(number))
            << "number " << number.toStdString() << " shown " << shown->toStdString()
            << " templates " << templates.join(" | ").toStdString();
        ASSERT_EQ(dialToneSteps(*shown), dialToneSteps(number)) << number.toStdString();
    }
    // The property is about numbers that do get formatted, pauses included.
    EXPECT_GT(formatted, 2000);
    EXPECT_GT(withPause, 300);
}

}  // namespace
}  // namespace kontavo
