#pragma once

#include <QString>

namespace kontavo {

// The search field's owner side of a text change: the text is taken with
// blanks trimmed at both ends; an empty text clears the selected groups; a
// text that differs from the last searched one is searched for (once).
class SearchTextTracker {
public:
    struct Outcome {
        bool clearGroups = false;
        bool refill = false;
        QString text;  // the trimmed text
    };

    Outcome textChanged(const QString& text);
    const QString& lastText() const { return m_lastText; }
    // Forgets the last text (after a refill by groups, for example).
    void reset() { m_lastText.clear(); }

private:
    QString m_lastText;
};

}  // namespace kontavo
