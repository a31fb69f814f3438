#include "card/notecolours.h"

namespace kontavo {

namespace {

struct NamedColour {
    const char* name;
    QRgb rgb;
};

constexpr NamedColour kColours[notecolours::kCount] = {
    {"Black", 0x000000},   {"Silver", 0xC0C0C0}, {"Gray", 0x808080},   {"White", 0xFFFFFF},
    {"Red", 0xFF0000},     {"Lime", 0x00FF00},   {"Blue", 0x0000FF},   {"Aqua", 0x00FFFF},
    {"Fuchsia", 0xFF00FF}, {"Yellow", 0xFFFF00}, {"Maroon", 0x800000}, {"Green", 0x008000},
    {"Navy", 0x000080},    {"Teal", 0x008080},   {"Purple", 0x800080}, {"Olive", 0x808000},
};

bool inRange(int index) {
    return index >= 0 && index < notecolours::kCount;
}

}  // namespace

QString notecolours::name(int index) {
    return inRange(index) ? QString::fromLatin1(kColours[index].name) : QString();
}

QColor notecolours::colour(int index) {
    return QColor(inRange(index) ? kColours[index].rgb : kColours[0].rgb);
}

int notecolours::indexOf(const QColor& colour) {
    for (int i = 0; i < kCount; ++i) {
        if (QColor(kColours[i].rgb).rgb() == colour.rgb()) {
            return i;
        }
    }
    return 0;
}

}  // namespace kontavo
