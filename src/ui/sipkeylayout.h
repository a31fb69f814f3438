#pragma once

#include <QList>
#include <QRect>
#include <QSize>
#include <QString>
#include <Qt>
#include <optional>

namespace kontavo {

// One key of the on-screen keyboard.
struct SipKey {
    enum class Kind { Character, Shift, CapsLock, Backspace, Enter, Space, Tab, Left, Right };
    Kind kind = Kind::Character;
    QString text;     // Character: what it types unshifted
    QString shifted;  // Character: what it types with Shift or Caps Lock (letters)
    int units = 2;    // width in half-key units
};

// The key press a tap on the keyboard produces.
struct SipStroke {
    int qtKey = 0;
    QString text;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

// The on-screen keyboard's keys, their places in a panel of a given size and
// the Shift / Caps Lock state: the keyboard without the drawing. Shift holds
// for one key; Caps Lock until tapped again. A plain value; UI thread only.
class SipKeyLayout {
public:
    static constexpr int kRows = 5;
    static constexpr int kUnitsPerRow = 26;

    SipKeyLayout();

    const QList<SipKey>& keys() const { return m_keys; }
    // Where key `index` is drawn in a panel of `panel` size.
    QRect keyRect(int index, const QSize& panel) const;
    // The key under `point`, if any.
    std::optional<int> keyAt(const QPoint& point, const QSize& panel) const;
    // The label shown on key `index` in the current Shift / Caps Lock state.
    QString label(int index) const;
    bool isShifted() const { return m_shift; }
    bool isCapsLock() const { return m_capsLock; }

    // Taps key `index`: the stroke to deliver, or nullopt for Shift and Caps
    // Lock, which only change the state.
    std::optional<SipStroke> tap(int index);

private:
    QList<int> m_rowOfKey;
    QList<int> m_unitOfKey;
    QList<SipKey> m_keys;
    bool m_shift = false;
    bool m_capsLock = false;
};

}  // namespace kontavo
