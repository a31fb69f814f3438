#pragma once

#include <QFont>
#include <QList>
#include <QString>

namespace kontavo {

class SettingsStore;

// What the font chooser returns: face, size in points and the four flags.
struct FontChoice {
    QString face;
    int points = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    bool operator==(const FontChoice&) const = default;
};

// The list font as the options dialog edits it: face name (at most 31
// characters), height in device pixels (negative: the character height),
// weight (400 or 700), italic, underline, strike-out and character set. It
// is stored in "ListFont" as "Name", the character height "Height" and the
// flag bits "Flags". A plain value.
struct ListFont {
    static constexpr int kMaxFaceLength = 31;
    static constexpr int kNormal = 400;
    static constexpr int kBold = 700;
    // The sizes the font chooser offers, in points.
    static const QList<int>& chooserSizes();

    QString face;
    int height = 0;
    int weight = kNormal;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int charset = 1;

    static ListFont load(const SettingsStore& settings, int dpiY);
    bool store(SettingsStore& settings) const;
    // The font drawn with (pixel size = the character height).
    QFont font() const;

    // The size in points: |height| x 72 / dpiY + 0.5, truncated.
    int points(int dpiY) const;
    // The height of a size in points: -(points x dpiY / 72 + 0.5), truncated.
    static int heightOf(int points, int dpiY);
    // "%s %d pt" of the face and the size in points.
    QString previewText(int dpiY) const;

    // What the chooser starts with, and the font after its OK (an empty
    // face keeps the face; character set 1).
    FontChoice choice(int dpiY) const;
    void apply(const FontChoice& choice, int dpiY);

    // Same face, height, weight, italic, underline and strike-out.
    bool operator==(const ListFont& other) const;
};

}  // namespace kontavo
