#include "ui/sharedfonts.h"

#include "platform/screen.h"
#include "store/settings/settingsstore.h"

namespace kontavo {

namespace {

SharedFonts& stored() {
    static SharedFonts fonts;
    return fonts;
}

}  // namespace

QFont tahomaFont(int pixels, bool bold) {
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(qMax(1, pixels));
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

QFont standardFont(const Screen& screen, bool bold) {
    return tahomaFont(screen.pointsToPixels(8), bold);
}

SharedFonts SharedFonts::create(const SettingsStore& settings, const Screen& screen) {
    const int32_t flags = settings.get(settings::kListFontFlags);
    QFont list(settings.get(settings::kListFontName));
    list.setPixelSize(qMax(1, settings.get(settings::listFontHeight(screen.dpiY()))));
    list.setWeight((flags & settings::kFontBold) != 0 ? QFont::Bold : QFont::Normal);
    list.setItalic((flags & settings::kFontItalic) != 0);
    list.setUnderline((flags & settings::kFontUnderline) != 0);
    list.setStrikeOut((flags & settings::kFontStrikeOut) != 0);
    return {list, standardFont(screen, false), standardFont(screen, true)};
}

const SharedFonts& SharedFonts::current() {
    return stored();
}

void SharedFonts::setCurrent(const SharedFonts& fonts) {
    stored() = fonts;
}

void SharedFonts::release() {
    stored() = SharedFonts();
}

}  // namespace kontavo
