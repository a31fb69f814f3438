#pragma once

#include <QFont>
#include <QImage>
#include <QPixmap>
#include <QRect>

#include "list/contactrowlayout.h"
#include "list/contactrowtext.h"
#include "store/record/picturebitmap.h"

class QPainter;

namespace kontavo {

// Draws the rows of the contact list: contact rows in one-line and two-line
// mode and company headers, with the list font (bold for the two-line name
// and the headers). Texts that do not fit are shortened with "...".
// UI thread only.
class ContactRowPainter {
public:
    static constexpr unsigned kTagColor = 0x4285C6;

    // How a row is drawn: selected (and whether the list has the focus).
    struct RowState {
        bool selected = false;
        bool focused = false;
    };

    // What a one-line contact row shows: the name and the detail value as
    // shortened to their rectangles.
    struct OneLine {
        QRect nameRect;
        QString name;
        QRect valueRect;
        QString value;  // empty: no value shown
        QRect tagRect;
    };

    struct ContactRow {
        ContactRowText text;
        Picture picture;       // two-line mode; null: the stock icon
        bool isPerson = true;  // which stock icon
    };

    ContactRowPainter(const Screen& screen, const QFont& listFont);

    const QFont& font() const { return m_font; }
    // The list font's character height plus its internal leading (the
    // font's height); twice that in two-line mode.
    int rowHeight(bool twoLine) const;
    // The list font's maximum character width less 5 pixels.
    int tagColumnWidth() const;

    void drawContact(QPainter& painter, const QRect& box, const ContactRowLayout& layout,
                     const ContactRow& row, RowState state) const;
    // A hint in an empty list `area`: grey, wrapped to the area's width, one
    // row below its top.
    void drawHint(QPainter& painter, const QRect& area, const QString& hint) const;
    // The texts of a one-line row in `box` as drawContact shows them.
    OneLine oneLine(const QRect& box, const ContactRowLayout& layout,
                    const ContactRowText& text) const;
    // `name` with the count " (%i)" after it.
    void drawHeader(QPainter& painter, const QRect& box, const ContactRowLayout& layout,
                    const QString& name, int count, bool open, RowState state) const;

    // The image of a picture bitmap (24-bit, rows bottom-up).
    static QImage pictureImage(const PictureBitmap& bitmap);

private:
    void drawBackground(QPainter& painter, const QRect& box, RowState state) const;
    void drawOneLine(QPainter& painter, const QRect& box, const ContactRowLayout& layout,
                     const ContactRow& row, RowState state) const;
    void drawTwoLine(QPainter& painter, const QRect& box, const ContactRowLayout& layout,
                     const ContactRow& row, RowState state) const;
    void drawPicture(QPainter& painter, const QRect& square, const ContactRow& row) const;
    void drawTag(QPainter& painter, const QRect& column, QChar tag, RowState state) const;
    void drawFoldIcon(QPainter& painter, const QRect& box, bool open) const;
    QColor textColor(RowState state) const;

    Screen m_screen;
    QFont m_font;
    QFont m_bold;
    // The stock icons, decoded once: a header or an icon row is painted on
    // every refill.
    QPixmap m_expandedIcon;
    QPixmap m_collapsedIcon;
    QPixmap m_personIcon;
    QPixmap m_companyIcon;
};

}  // namespace kontavo
