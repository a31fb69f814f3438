#include "list/searchtexttracker.h"

namespace kontavo {

namespace {

QString trimBlanks(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == QLatin1Char(' ')) {
        ++first;
    }
    while (last > first && text[last - 1] == QLatin1Char(' ')) {
        --last;
    }
    return text.mid(first, last - first);
}

}  // namespace

SearchTextTracker::Outcome SearchTextTracker::textChanged(const QString& text) {
    Outcome outcome;
    outcome.text = trimBlanks(text);
    outcome.clearGroups = outcome.text.isEmpty();
    if (outcome.text != m_lastText) {
        m_lastText = outcome.text;
        outcome.refill = true;
    }
    return outcome;
}

}  // namespace kontavo
