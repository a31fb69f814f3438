#pragma once

#include <QList>
#include <cstdint>
#include <random>

#include "platform/propvalue.h"

namespace kontavo::bench {

// Tags of the contact properties the benchmarks write and read.
namespace tag {
inline constexpr PropTag kLastName = 0x3A11001F;
inline constexpr PropTag kFirstName = 0x3A06001F;
inline constexpr PropTag kCompany = 0x3A16001F;
inline constexpr PropTag kTitle = 0x4023001F;
inline constexpr PropTag kWorkPhone = 0x3A08001F;
inline constexpr PropTag kWorkPhone2 = 0x4007001F;
inline constexpr PropTag kCategoryMask = 0x00160041;
inline constexpr PropTag kNotes = 0x00170041;
}  // namespace tag

// The seven properties every list refill reads of every contact.
QList<PropTag> listTags();

// Deterministic, realistic contacts: 43 string fields sparsely filled (Latin
// and Cyrillic names), two dates, a preferred item, a category mask and notes
// of varied size (none, short, a few KiB, some long ink-like notes).
class ContactGenerator {
public:
    explicit ContactGenerator(uint32_t seed = 20240611) : m_random(seed) {}
    PropList next();

private:
    bool chance(int percent);
    QString pick(const QList<QString>& words);
    QString phone();
    QByteArray notes();
    void addString(PropList& props, PropTag tag, int percent, const QString& value);

    std::mt19937 m_random;
    int m_counter = 0;
};

}  // namespace kontavo::bench
