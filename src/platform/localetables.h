#pragma once

#include <QLocale>
#include <cstdint>

namespace kontavo::localetables {

// Windows language id for a Qt locale (SUBLANG_DEFAULT when the territory is
// not listed; 0x0409 for unknown languages).
uint16_t languageId(const QLocale& locale);
// Telephone country code of a territory; 0 when unknown.
int countryCode(QLocale::Territory territory);
// ANSI code page of a primary language id.
int ansiCodePage(uint16_t primaryLanguage);

}  // namespace kontavo::localetables
