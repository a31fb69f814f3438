#include "ui/sipkeylayout.h"

namespace kontavo {

namespace {

using Kind = SipKey::Kind;

SipKey special(Kind kind, int units) {
    return {kind, {}, {}, units};
}

// Characters of one row with their shifted forms (same length).
void addCharacters(QList<SipKey>& row, const char* plain, const char* shifted) {
    for (int i = 0; plain[i] != 0; ++i) {
        row.append(
            {Kind::Character, QString(QLatin1Char(plain[i])), QString(QLatin1Char(shifted[i])), 2});
    }
}

// A 240-pixel wide US keyboard in five rows of 26 half-key units.
QList<QList<SipKey>> standardRows() {
    QList<QList<SipKey>> rows(SipKeyLayout::kRows);
    addCharacters(rows[0], "1234567890-=", "!@#$%^&*()_+");
    rows[0].append(special(Kind::Backspace, 2));
    rows[1].append(special(Kind::Tab, 2));
    addCharacters(rows[1], "qwertyuiop[]", "QWERTYUIOP{}");
    rows[2].append(special(Kind::CapsLock, 3));
    addCharacters(rows[2], "asdfghjkl;", "ASDFGHJKL:");
    rows[2].append(special(Kind::Enter, 3));
    rows[3].append(special(Kind::Shift, 4));
    addCharacters(rows[3], "zxcvbnm,./'", "ZXCVBNM<>?\"");
    addCharacters(rows[4], "`\\", "~|");
    rows[4].append(special(Kind::Space, 16));
    rows[4].append(special(Kind::Left, 3));
    rows[4].append(special(Kind::Right, 3));
    return rows;
}

QString specialLabel(Kind kind) {
    switch (kind) {
        case Kind::Shift:
            return QStringLiteral("Shift");
        case Kind::CapsLock:
            return QStringLiteral("CAP");
        case Kind::Backspace:
            return QStringLiteral("\u2190");
        case Kind::Enter:
            return QStringLiteral("\u21B5");
        case Kind::Tab:
            return QStringLiteral("Tab");
        case Kind::Left:
            return QStringLiteral("\u25C0");
        case Kind::Right:
            return QStringLiteral("\u25B6");
        case Kind::Space:
        case Kind::Character:
            break;
    }
    return QString();
}

SipStroke specialStroke(Kind kind) {
    switch (kind) {
        case Kind::Backspace:
            return {Qt::Key_Backspace, {}, Qt::NoModifier};
        case Kind::Enter:
            return {Qt::Key_Return, QStringLiteral("\r"), Qt::NoModifier};
        case Kind::Tab:
            return {Qt::Key_Tab, QStringLiteral("\t"), Qt::NoModifier};
        case Kind::Left:
            return {Qt::Key_Left, {}, Qt::NoModifier};
        case Kind::Right:
            return {Qt::Key_Right, {}, Qt::NoModifier};
        default:
            return {Qt::Key_Space, QStringLiteral(" "), Qt::NoModifier};
    }
}

}  // namespace

SipKeyLayout::SipKeyLayout() {
    const QList<QList<SipKey>> rows = standardRows();
    for (int row = 0; row < rows.size(); ++row) {
        int unit = 0;
        for (const SipKey& key : rows[row]) {
            m_keys.append(key);
            m_rowOfKey.append(row);
            m_unitOfKey.append(unit);
            unit += key.units;
        }
    }
}

QRect SipKeyLayout::keyRect(int index, const QSize& panel) const {
    const int row = m_rowOfKey[index];
    const int left = m_unitOfKey[index] * panel.width() / kUnitsPerRow;
    const int right = (m_unitOfKey[index] + m_keys[index].units) * panel.width() / kUnitsPerRow;
    const int top = row * panel.height() / kRows;
    const int bottom = (row + 1) * panel.height() / kRows;
    return {left, top, right - left, bottom - top};
}

std::optional<int> SipKeyLayout::keyAt(const QPoint& point, const QSize& panel) const {
    for (int i = 0; i < m_keys.size(); ++i) {
        if (keyRect(i, panel).contains(point)) {
            return i;
        }
    }
    return std::nullopt;
}

QString SipKeyLayout::label(int index) const {
    const SipKey& key = m_keys[index];
    if (key.kind != Kind::Character) {
        return specialLabel(key.kind);
    }
    const bool letter = key.text[0].isLetter();
    return m_shift || (m_capsLock && letter) ? key.shifted : key.text;
}

std::optional<SipStroke> SipKeyLayout::tap(int index) {
    const SipKey& key = m_keys[index];
    if (key.kind == Kind::Shift) {
        m_shift = !m_shift;
        return std::nullopt;
    }
    if (key.kind == Kind::CapsLock) {
        m_capsLock = !m_capsLock;
        return std::nullopt;
    }
    if (key.kind != Kind::Character) {
        m_shift = false;
        return specialStroke(key.kind);
    }
    const QString text = label(index);
    const Qt::KeyboardModifiers modifiers = m_shift ? Qt::ShiftModifier : Qt::NoModifier;
    m_shift = false;
    return SipStroke{int(text[0].toUpper().unicode()), text, modifiers};
}

}  // namespace kontavo
