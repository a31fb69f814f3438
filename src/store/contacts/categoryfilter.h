#pragma once

#include <QByteArray>

namespace kontavo {

// Which contacts a list query keeps, judged by their CategoryMask. A plain value.
class CategoryFilter {
public:
    // Every contact.
    static CategoryFilter any() { return CategoryFilter(Kind::Any, {}); }
    // Contacts in no category: no mask, a zero-length one, or one without a
    // set bit (0x00 is what this program stores for them).
    static CategoryFilter none() { return CategoryFilter(Kind::None, {}); }
    // Contacts sharing a set bit with `selection`; a selection without any
    // bit set selects the contacts in no category.
    static CategoryFilter sharing(const QByteArray& selection);

    bool keeps(const QByteArray& contactMask) const;
    bool isAny() const { return m_kind == Kind::Any; }

private:
    enum class Kind { Any, None, Sharing };
    CategoryFilter(Kind kind, QByteArray selection)
        : m_kind(kind), m_selection(std::move(selection)) {}

    Kind m_kind;
    QByteArray m_selection;
};

}  // namespace kontavo
