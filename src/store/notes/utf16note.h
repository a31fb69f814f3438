#pragma once

#include <QByteArray>
#include <QString>

namespace kontavo {

// The notes of a contact holding `text` as a UTF-16 note: the bytes FE FF,
// then each code unit low byte first (the form noteToText() reads back).
// Empty text gives empty notes.
QByteArray utf16Note(const QString& text);

}  // namespace kontavo
