#pragma once

#include <QList>
#include <QString>

namespace kontavo {

class Sound;

// What playing a number as touch tones does, step by step: a key's tone
// (its "WAVE" resource) or a wait.
struct ToneStep {
    enum class Kind { Tone, Wait };
    Kind kind = Kind::Tone;
    int value = 0;  // the resource id of a tone, the milliseconds of a wait

    bool operator==(const ToneStep&) const = default;
};

inline constexpr int kToneGapMs = 100;    // between two tones
inline constexpr int kDialPauseMs = 900;  // for a comma

// The "WAVE" resource of the tone of `key` ("0"-"9", "*", "#"; 171 is the
// tone of 9, 172 that of 0), or 0 for any other character.
int toneResource(QChar key);

// The steps of `text`: each key plays its tone, after a 100 ms gap when the
// key before it played one; a comma waits 900 ms, and the tone after it
// starts without the gap; every other character (blanks, brackets, "+",
// dashes, letters) is skipped and changes nothing.
QList<ToneStep> dialToneSteps(const QString& text);

// Plays `text` as touch tones and returns when the last one has ended.
// While it plays, the output volume is raised to 0x7FFF on both channels
// when it could be read and both channels were below that; the old volume
// is restored afterwards. A tone that cannot be played still takes its time,
// so pauses keep their places.
void playDialTones(const QString& text, Sound& sound);

}  // namespace kontavo
