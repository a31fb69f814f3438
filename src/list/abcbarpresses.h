#pragma once

#include <QList>

namespace kontavo {

// How often each group of a bar is in the selected groups: +1 when the group
// is appended, -1 when backspace removes it (never below 0), all 0 after a
// clear. A button is drawn as deep as min(count, 3).
class AbcBarPresses {
public:
    static constexpr int kMaxDepth = 3;

    void reset(int groupCount);
    void appended(int group);
    void removed(int group);
    void clear();

    int count(int group) const { return m_counts.value(group); }
    int depth(int group) const { return qMin(count(group), kMaxDepth); }

private:
    QList<int> m_counts;
};

}  // namespace kontavo
