#include "comm/listfont.h"

#include <cmath>

#include "store/settings/settingsstore.h"

namespace kontavo {

const QList<int>& ListFont::chooserSizes() {
    static const QList<int> sizes{6, 7, 8, 9, 10, 11, 12, 14, 16, 20, 24, 28, 36};
    return sizes;
}

ListFont ListFont::load(const SettingsStore& settings, int dpiY) {
    ListFont font;
    const int32_t flags = settings.get(settings::kListFontFlags);
    font.face = settings.get(settings::kListFontName).left(kMaxFaceLength);
    font.height = -std::abs(settings.get(settings::listFontHeight(dpiY)));
    font.weight = (flags & settings::kFontBold) != 0 ? kBold : kNormal;
    font.italic = (flags & settings::kFontItalic) != 0;
    font.underline = (flags & settings::kFontUnderline) != 0;
    font.strikeOut = (flags & settings::kFontStrikeOut) != 0;
    return font;
}

bool ListFont::store(SettingsStore& settings) const {
    int32_t flags = 0;
    flags |= weight >= kBold ? settings::kFontBold : 0;
    flags |= italic ? settings::kFontItalic : 0;
    flags |= underline ? settings::kFontUnderline : 0;
    flags |= strikeOut ? settings::kFontStrikeOut : 0;
    const bool name = settings.set(settings::kListFontName, face);
    const bool size = settings.setInt(settings::kListFont.toString(),
                                      settings::kListFontHeightName.toString(), std::abs(height));
    return settings.set(settings::kListFontFlags, flags) && name && size;
}

QFont ListFont::font() const {
    QFont font(face);
    font.setPixelSize(qMax(1, std::abs(height)));
    font.setWeight(weight >= kBold ? QFont::Bold : QFont::Normal);
    font.setItalic(italic);
    font.setUnderline(underline);
    font.setStrikeOut(strikeOut);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

int ListFont::points(int dpiY) const {
    return int(std::abs(height) * 72.0 / dpiY + 0.5);
}

int ListFont::heightOf(int points, int dpiY) {
    return -int(points * double(dpiY) / 72 + 0.5);
}

QString ListFont::previewText(int dpiY) const {
    return QStringLiteral("%1 %2 pt").arg(face).arg(points(dpiY));
}

FontChoice ListFont::choice(int dpiY) const {
    return {face, points(dpiY), weight >= kBold, italic, underline, strikeOut};
}

void ListFont::apply(const FontChoice& choice, int dpiY) {
    if (!choice.face.isEmpty()) {
        face = choice.face.left(kMaxFaceLength);
    }
    if (choice.points > 0) {
        height = heightOf(choice.points, dpiY);
    }
    weight = choice.bold ? kBold : kNormal;
    italic = choice.italic;
    underline = choice.underline;
    strikeOut = choice.strikeOut;
    charset = 1;
}

bool ListFont::operator==(const ListFont& other) const {
    return face == other.face && height == other.height && weight == other.weight &&
           italic == other.italic && underline == other.underline && strikeOut == other.strikeOut;
}

}  // namespace kontavo
