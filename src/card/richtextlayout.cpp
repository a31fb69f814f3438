#include "card/richtextlayout.h"

#include "card/richtext.h"

namespace kontavo {

namespace {

bool isBreak(const RichChar& c) {
    return (c.ch == u'\r' || c.ch == u'\n') && (c.style & richstyle::kRule) == 0;
}

// Breaks a text line by line as it is walked.
class LineBreaker {
public:
    LineBreaker(const RichText& text, int width, bool wordWrap)
        : m_text(text), m_width(width), m_wordWrap(wordWrap) {}

    QList<RichLine> run() {
        const int n = m_text.size();
        int i = 0;
        while (i < n) {
            const RichChar& c = m_text.at(i);
            if ((c.style & richstyle::kRule) != 0) {
                closeLine(i, i + 1);
                m_lines.append(RichLine{i, i + 1, true});
                ++i;
            } else if (isBreak(c)) {
                const bool pair =
                    i + 1 < n && isBreak(m_text.at(i + 1)) && m_text.at(i + 1).ch != c.ch;
                const int next = i + (pair ? 2 : 1);
                m_lines.append(RichLine{m_start, i, false});
                startLine(next);
                i = next;
            } else {
                i = place(i);
            }
        }
        if (m_start < n) {
            m_lines.append(RichLine{m_start, n, false});
        }
        return m_lines;
    }

private:
    // Adds character `i` to the line, breaking first when it does not fit;
    // returns the next character to place.
    int place(int i) {
        const int advance = m_text.advances()[i];
        if (m_lineWidth + advance > m_width && i > m_start) {
            if (m_wordWrap && m_text.at(i).ch == u' ') {
                m_lines.append(RichLine{m_start, i, false});
                startLine(i + 1);
                return i + 1;
            }
            if (m_wordWrap && m_lastBlank > m_start) {
                const int blank = m_lastBlank;
                m_lines.append(RichLine{m_start, blank, false});
                startLine(blank + 1);
                m_lineWidth = richWidth(m_text, m_start, i);
                return i;  // placed again on the new line
            }
            m_lines.append(RichLine{m_start, i, false});
            startLine(i);
        }
        m_lineWidth += advance;
        if (m_text.at(i).ch == u' ') {
            m_lastBlank = i;
        }
        return i + 1;
    }

    // The line before a separator ends where the separator stands.
    void closeLine(int at, int next) {
        if (m_start < at) {
            m_lines.append(RichLine{m_start, at, false});
        }
        startLine(next);
    }

    void startLine(int at) {
        m_start = at;
        m_lineWidth = 0;
        m_lastBlank = -1;
    }

    const RichText& m_text;
    int m_width;
    bool m_wordWrap;
    QList<RichLine> m_lines;
    int m_start = 0;
    int m_lineWidth = 0;
    int m_lastBlank = -1;
};

}  // namespace

QList<RichLine> breakRichLines(const RichText& text, int width, unsigned flags) {
    if (text.isEmpty()) {
        return {};
    }
    if ((flags & richflag::kSingleLine) != 0) {
        return {RichLine{0, text.size(), false}};
    }
    return LineBreaker(text, width, (flags & richflag::kWordWrap) != 0).run();
}

int richWidth(const RichText& text, int start, int end) {
    int width = 0;
    const QList<int>& advances = text.advances();
    for (int i = start; i < end; ++i) {
        width += advances[i];
    }
    return width;
}

}  // namespace kontavo
