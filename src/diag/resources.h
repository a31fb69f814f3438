#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace kontavo {

// Compiled-in resources by type and numeric id, as the handheld's resource
// section holds them: "NOTE" 170, "ABC" letter sets, "WAVE" tones, bitmaps.
// A resource file is data/<TYPE>/<id> with any extension. Thread-safe.
std::optional<QByteArray> loadResource(const QString& type, int id);

// Whether the resource exists.
bool hasResource(const QString& type, int id);

// The string-table text of `id`. A missing id logs "Resource loading fail
// (id: %d hInst: %x)" and yields an empty string.
QString loadString(int id);
// As loadString, but a missing id raises the resource-loading fatal code
// with the id as its argument.
QString loadStringStrict(int id);
// Whether the string table has `id` (no log line).
bool hasString(int id);

}  // namespace kontavo
