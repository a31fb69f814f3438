#pragma once

#include <QList>
#include <QRect>
#include <QSize>

#include "card/formentry.h"
#include "platform/screen.h"

namespace kontavo {

// Where everything of the edit form stands: blocks stacked top to bottom,
// each a column of lines (label on the left, value on the right). A row
// takes one line, an address row one line per part its format uses, the
// name block one line per name line shown (beside the picture), the notes
// block one line as tall as its note editor (kNoteLines lines without one). The first line of a row carries the delete button
// and, right of it, the add button. Lengths are given at 96 dpi and scaled
// to the screen. A plain value; the form lays out again after every change.
class FormLayout {
public:
    static constexpr int kLabelColumn = 80;
    static constexpr int kRowHeight = 18;
    static constexpr int kButtonWidth = 14;
    static constexpr int kButtonHeight = 16;
    static constexpr int kBlockGap = 5;
    static constexpr int kGlyph = 16;
    static constexpr int kPictureFrame = 72;
    static constexpr int kPictureLeft = 2;
    static constexpr int kPictureTop = 3;
    static constexpr int kNameLabelWidth = 60;
    static constexpr int kTypeMinWidth = 46;
    static constexpr int kArrowWidth = 12;
    static constexpr int kNoteLines = 3;

    // One line of the form.
    struct Line {
        int block = -1;
        int row = -1;  // the row; for the name block the name line
        int line = 0;  // the line within an address row
        int top = 0;
        int height = 0;
    };
    // What a point of the form is over.
    enum class Part { None, Delete, Add, Label, Value, Type, Glyph, Picture };
    struct Hit {
        Part part = Part::None;
        int line = -1;  // index into lines()
        int block = -1;
    };

    FormLayout(const Screen& screen, int width, bool templateMode);

    // Lays the blocks out; `pictureSizes` gives per block the size of what
    // the name block shows as its picture (ignored for other blocks);
    // `notesHeight`, when above 0, the height of the notes block's editor.
    void layout(const QList<FormEntry>& blocks, const QList<QSize>& pictureSizes,
                int notesHeight = 0);

    int height() const { return m_height; }
    int width() const { return m_width; }
    const QList<Line>& lines() const { return m_lines; }
    // The block's top and bottom; an empty rectangle outside the blocks.
    QRect blockRect(int block) const;
    // The first line of the row, or -1.
    int lineOf(int block, int row, int line = 0) const;

    // Rectangles of the line at `index`. The row buttons are at the left of
    // a row's first line; the type column (messenger rows) and the drop-down
    // arrow (category and link rows) at the right of the value.
    QRect deleteRect(int index) const;
    QRect addRect(int index) const;
    QRect labelRect(int index) const;
    QRect valueRect(int index) const;
    QRect typeRect(int index) const;
    QRect arrowRect(int index) const;
    QRect glyphRect(int block) const;
    QRect pictureRect(int block) const;

    // What the point is over, given which buttons the rows have.
    Hit hitTest(const QPoint& point, const QList<FormEntry>& blocks) const;

    // The width of a messenger row's type column for a type text `textWidth`
    // pixels wide.
    void setTypeWidth(int index, int textWidth);

private:
    bool isNameBlock(int block) const;
    int nameLeft(int block) const;

    Screen m_screen;
    int m_width;
    bool m_templateMode;
    int m_height = 0;
    QList<Line> m_lines;
    QList<QRect> m_blocks;
    QList<QRect> m_pictures;  // per block; empty for blocks without a picture
    QList<int> m_typeWidths;  // per line
    QList<BlockKind> m_kinds;
};

}  // namespace kontavo
