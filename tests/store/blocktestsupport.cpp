#include "blocktestsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "diag/resources.h"
#include "platform/ansicodec.h"
#include "store/blockmarkers.h"
#include "store/inkdocumentedit.h"
#include "store/pocketwordink.h"

namespace kontavo::test {

const Locale& russian() {
    static const Locale locale(QLocale(QLocale::Russian, QLocale::Russia));
    return locale;
}

const Locale& english() {
    static const Locale locale(QLocale(QLocale::English, QLocale::UnitedStates));
    return locale;
}

QString plainBlock(const QString& content) {
    return kBlockStartMarker.toString() + "\r\n" + content + "\r\n" + kBlockEndMarker.toString();
}

QByteArray utf16Note(const QString& text) {
    QByteArray out("\xFE\xFF", 2);
    for (QChar c : text) {
        ink::appendU16(out, c.unicode());
    }
    return out;
}

QByteArray ansiNote(const QString& text, const Locale& locale) {
    return locale.ansiCodec().fromUnicode(text);
}

QByteArray inkNote(const QStringList& lines) {
    QList<QByteArray> coded;
    for (const QString& line : lines) {
        coded.append(ink::plainParagraphText(line));
    }
    return ink::appendInkParagraphs(loadResource("NOTE", 170).value(), coded).value();
}

ExtendedProperties sampleProperties() {
    ExtendedProperties props;
    props.phones = {{"Dacha", "+7 (495) 123-45-67"}, {"Empty", ""}};
    props.emails = {{"Old", "a\\b@x.ru"}};
    props.messengers = {{"IM", "12345", "ICQ"}};
    props.webPages = {{"Blog", "http://x.org/a;b"}};
    props.addresses = {{"Дача", {"Lane 1", "Town", "", "123", "RU"}, 5}};
    props.homeAddressFormat = 54;
    props.otherAddressFormat = 7;
    props.people = {{"Boss", "Анна"}};
    props.dates = {{"Met", fileTimeFromDate(QDate(2001, 2, 3)).value()}};
    props.links = {{"Song", "\\My Documents\\a.mp3"}};
    props.otherProps = {{"Shoe", "42"}};
    props.image = "Ann [1].bmp";
    return props;
}

QByteArray golden(const QString& name, const QByteArray& actual) {
    const QString path = QStringLiteral(KONTAVO_SOURCE_DIR "/tests/store/data/") + name;
    if (qEnvironmentVariableIsSet("KONTAVO_UPDATE_GOLDEN")) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile out(path);
        if (out.open(QIODevice::WriteOnly)) {
            out.write(actual);
        }
    }
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace kontavo::test
