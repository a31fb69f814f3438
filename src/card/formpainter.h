#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QPixmap>

#include "card/formentry.h"
#include "card/formlayout.h"

class QPainter;

namespace kontavo {

class Locale;

// Draws the edit form from its blocks and layout: labels (the name block's
// in their full form, or the short form when the full one does not fit),
// values in the normal colour, empty values as the hint word in the hint
// colour, rejected dates in the error colour, the row buttons, messenger
// types in bold with a drop-down arrow, the drop-down arrows of category and
// link rows, the name block's picture and its collapse glyph. A notes block
// shows its note as text unless the note editor covers it.
class FormPainter {
public:
    static inline const QColor kNormal = QColor(0, 0, 0);
    static inline const QColor kHint = QColor(128, 128, 128);
    static inline const QColor kError = QColor(192, 0, 0);
    static inline const QColor kLabel = QColor(0, 0, 128);
    static inline const QColor kRule = QColor(224, 224, 224);

    struct Context {
        const QList<FormEntry>* blocks = nullptr;
        const FormLayout* layout = nullptr;
        const Locale* locale = nullptr;
        Screen screen;
        QFont normal;
        QFont bold;
        bool templateMode = false;
        QList<QPixmap> pictures;  // per block: the name block's picture or icon
        int editingLine = -1;     // the line under the editor, not drawn
        int noteEditorBlock = -1;  // the block the note editor covers, not drawn
    };

    explicit FormPainter(const Context& context) : m_c(context) {}

    void paint(QPainter& painter, const QRect& exposed) const;

    // The text a line shows as its value and whether it is drawn as a hint.
    static QString valueText(const FormEntry& entry, const FormLayout::Line& line,
                             const Locale& locale, bool* isHint);

private:
    void paintBlock(QPainter& painter, int block) const;
    void paintLine(QPainter& painter, int index) const;
    void paintButtons(QPainter& painter, int index) const;
    void paintArrow(QPainter& painter, const QRect& rect) const;
    // A box with a minus, and with a plus when `plus`, inset in `rect`.
    void paintBox(QPainter& painter, const QRect& rect, bool plus) const;

    const Context& m_c;
};

}  // namespace kontavo
