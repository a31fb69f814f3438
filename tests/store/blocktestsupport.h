#pragma once

// Helpers shared by the extended property block tests.
#include <QByteArray>
#include <QString>

#include "platform/locale.h"
#include "store/extendedproperties.h"

namespace kontavo::test {

// A Russian locale (code page 1251) and an English one (1252).
const Locale& russian();
const Locale& english();

// The block as plain text lines between the markers, CR LF separated.
QString plainBlock(const QString& content);
QByteArray utf16Note(const QString& text);
QByteArray ansiNote(const QString& text, const Locale& locale);
// The "NOTE" template with plain paragraphs appended.
QByteArray inkNote(const QStringList& lines);

// A value with one entry in every part of the block.
ExtendedProperties sampleProperties();

// The bytes of tests/store/data/<name>; with KONTAVO_UPDATE_GOLDEN set, the
// file is (re)written from `actual` first.
QByteArray golden(const QString& name, const QByteArray& actual);

}  // namespace kontavo::test
