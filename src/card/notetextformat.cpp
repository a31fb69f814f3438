#include "card/notetextformat.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <cmath>

#include "card/notecolours.h"
#include "platform/screen.h"

namespace kontavo {

namespace {

constexpr int kPointsProperty = QTextFormat::UserProperty + 1;
constexpr int kColourProperty = QTextFormat::UserProperty + 2;
constexpr int kIndentProperty = QTextFormat::UserProperty + 3;

Qt::Alignment alignmentOf(NoteAlignment alignment) {
    switch (alignment) {
        case NoteAlignment::Centre:
            return Qt::AlignHCenter;
        case NoteAlignment::Right:
            return Qt::AlignRight;
        case NoteAlignment::Left:
            break;
    }
    return Qt::AlignLeft;
}

NoteAlignment noteAlignment(Qt::Alignment alignment) {
    if (alignment & Qt::AlignHCenter) {
        return NoteAlignment::Centre;
    }
    return (alignment & Qt::AlignRight) ? NoteAlignment::Right : NoteAlignment::Left;
}

}  // namespace

int notetext::pixelSize(int points, const Screen& screen, int zoom) {
    return std::max(1, int(std::lround(screen.pointsToPixels(points) * zoom / 100.0)));
}

void notetext::setPoints(QTextCharFormat& format, int points, const Screen& screen, int zoom) {
    format.setProperty(kPointsProperty, points);
    QFont font = format.font();
    font.setPixelSize(pixelSize(points, screen, zoom));
    format.setFont(font, QTextCharFormat::FontPropertiesSpecifiedOnly);
}

void notetext::setColour(QTextCharFormat& format, int index) {
    format.setForeground(notecolours::colour(index));
    format.setProperty(kColourProperty, index);
}

double notetext::indentPixels(int twips, const Screen& screen, int zoom) {
    return twips * screen.dpiX() / 1440.0 * zoom / 100.0;
}

QTextCharFormat notetext::charFormat(const NoteCharFormat& format, const Screen& screen, int zoom) {
    QTextCharFormat out;
    QFont font(format.face);
    font.setPixelSize(pixelSize(format.points, screen, zoom));
    font.setBold(format.bold);
    font.setItalic(format.italic);
    font.setUnderline(format.underline);
    font.setStrikeOut(format.strikethrough);
    out.setFont(font, QTextCharFormat::FontPropertiesAll);
    out.setForeground(notecolours::colour(format.colour));
    out.setProperty(kPointsProperty, format.points);
    out.setProperty(kColourProperty, format.colour);
    return out;
}

NoteCharFormat notetext::noteFormat(const QTextCharFormat& format) {
    NoteCharFormat out;
    const QStringList families = format.fontFamilies().toStringList();
    if (!families.isEmpty() && !families.first().isEmpty()) {
        out.face = families.first();
    }
    if (format.hasProperty(kPointsProperty)) {
        out.points = format.intProperty(kPointsProperty);
    }
    out.bold = format.fontWeight() >= QFont::DemiBold;
    out.italic = format.fontItalic();
    out.underline = format.fontUnderline();
    out.strikethrough = format.fontStrikeOut();
    out.colour = format.hasProperty(kColourProperty)
                     ? format.intProperty(kColourProperty)
                     : notecolours::indexOf(format.foreground().color());
    return out;
}

int notetext::indentOf(const QTextBlockFormat& format) {
    return format.intProperty(kIndentProperty);
}

void notetext::setIndent(QTextBlockFormat& format, int twips, const Screen& screen, int zoom) {
    format.setProperty(kIndentProperty, twips);
    format.setLeftMargin(indentPixels(twips, screen, zoom));
}

void notetext::fill(QTextDocument& document, const QList<NoteParagraph>& paragraphs,
                    const Screen& screen, int zoom) {
    document.clear();
    QTextCursor cursor(&document);
    bool first = true;
    for (const NoteParagraph& paragraph : paragraphs) {
        QTextBlockFormat block;
        block.setAlignment(alignmentOf(paragraph.alignment));
        setIndent(block, paragraph.indent, screen, zoom);
        const QTextCharFormat start =
            charFormat(paragraph.runs.isEmpty() ? NoteCharFormat() : paragraph.runs.first().format,
                       screen, zoom);
        if (first) {
            cursor.setBlockFormat(block);
            cursor.setBlockCharFormat(start);
            first = false;
        } else {
            cursor.insertBlock(block, start);
        }
        if (paragraph.bullets) {
            cursor.createList(QTextListFormat::ListDisc);
        }
        for (const NoteRun& run : paragraph.runs) {
            cursor.setCharFormat(charFormat(run.format, screen, zoom));
            cursor.insertText(run.text);
        }
    }
    document.setModified(false);
    document.clearUndoRedoStacks();
}

QList<NoteParagraph> notetext::paragraphs(const QTextDocument& document) {
    QList<NoteParagraph> out;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        NoteParagraph paragraph;
        paragraph.alignment = noteAlignment(block.blockFormat().alignment());
        paragraph.indent = indentOf(block.blockFormat());
        paragraph.bullets = block.textList() != nullptr;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const NoteCharFormat format = noteFormat(fragment.charFormat());
            if (!paragraph.runs.isEmpty() && paragraph.runs.last().format == format) {
                paragraph.runs.last().text += fragment.text();
            } else {
                paragraph.runs.append({fragment.text(), format});
            }
        }
        if (paragraph.runs.isEmpty()) {
            paragraph.runs.append({QString(), noteFormat(block.charFormat())});
        }
        out.append(paragraph);
    }
    return out;
}

// Formats changed for the zoom are no edits: the undo history does not
// keep them (and is cleared by the change).
void notetext::rescale(QTextDocument& document, const Screen& screen, int zoom) {
    const bool modified = document.isModified();
    document.setUndoRedoEnabled(false);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QTextCursor blockCursor(block);
        QTextBlockFormat format = block.blockFormat();
        setIndent(format, indentOf(format), screen, zoom);
        blockCursor.setBlockFormat(format);
        QList<QTextFragment> fragments;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            fragments.append(it.fragment());
        }
        for (const QTextFragment& fragment : fragments) {
            QTextCursor range(&document);
            range.setPosition(fragment.position());
            range.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            range.setCharFormat(charFormat(noteFormat(fragment.charFormat()), screen, zoom));
        }
        blockCursor.setBlockCharFormat(charFormat(noteFormat(block.charFormat()), screen, zoom));
    }
    document.setUndoRedoEnabled(true);
    document.markContentsDirty(0, document.characterCount());
    document.setModified(modified);
}

}  // namespace kontavo
