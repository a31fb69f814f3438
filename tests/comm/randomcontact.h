#pragma once

#include <random>

#include "comm/vcard.h"

namespace kontavo::test {

// Random contacts for vCard round trips: every field a card carries, texts
// mixing ASCII, Cyrillic, CJK and astral characters with the characters
// vCard escapes (";" "," "\" and CR LF line breaks), some long enough to
// fold, and now and then an inline picture. Line breaks are CR LF (what a
// read gives back). The same seed gives the same contact.
class RandomContact {
public:
    explicit RandomContact(uint32_t seed) : m_random(seed) {}

    VCardContact next();
    QString text(int maxLength);

private:
    int below(int bound) { return int(m_random() % uint32_t(bound)); }
    bool chance(int percent) { return below(100) < percent; }
    QString label();
    FileTime time(bool midnight);
    void fillExtended(ExtendedProperties& extended);
    void choosePreferred(ContactRecord& record);

    std::mt19937 m_random;
};

}  // namespace kontavo::test
