#include "card/formpainter.h"

#include <QFileInfo>
#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include "card/formblockrules.h"

namespace kontavo {

namespace {

// A linked file shows its file name: the text after the last backslash.
QString fileNameOf(const QString& path) {
    return path.mid(path.lastIndexOf(QLatin1Char('\\')) + 1);
}

}  // namespace

QString FormPainter::valueText(const FormEntry& entry, const FormLayout::Line& line,
                               const Locale& locale, bool* isHint) {
    *isHint = false;
    QString text;
    switch (entry.kind) {
        case BlockKind::Name:
            text = entry.name.lines[size_t(line.row)];
            break;
        case BlockKind::Notes:
            return entry.noteText;
        case BlockKind::Date:
            *isHint = entry.rows[line.row].date == 0 && !entry.rows[line.row].hasInvalidDate();
            return formrules::dateText(entry, line.row, locale);
        case BlockKind::Address: {
            const AddressRow& address = entry.rows[line.row].address;
            if (line.line >= address.lineCount()) {
                return {};
            }
            *isHint = address.lineIsHint(line.line);
            return address.lineText(line.line);
        }
        case BlockKind::Link:
            text = fileNameOf(entry.rows[line.row].text);
            break;
        default:
            text = entry.rows[line.row].text;
            break;
    }
    if (text.isEmpty()) {
        *isHint = true;
        return entry.hint;
    }
    return text;
}

void FormPainter::paint(QPainter& painter, const QRect& exposed) const {
    for (qsizetype b = 0; b < m_c.blocks->size(); ++b) {
        if (m_c.layout->blockRect(int(b)).intersects(exposed)) {
            paintBlock(painter, int(b));
        }
    }
    const QList<FormLayout::Line>& lines = m_c.layout->lines();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QRect row(0, lines[i].top, m_c.layout->width(), lines[i].height);
        if (row.intersects(exposed)) {
            paintLine(painter, int(i));
        }
    }
}

void FormPainter::paintBlock(QPainter& painter, int block) const {
    const QRect rect = m_c.layout->blockRect(block);
    painter.setPen(kRule);
    painter.drawLine(rect.left(), rect.bottom() + 2, rect.right(), rect.bottom() + 2);
    const FormEntry& entry = (*m_c.blocks)[block];
    if (entry.kind != BlockKind::Name) {
        return;
    }
    const QRect picture = m_c.layout->pictureRect(block);
    const QPixmap pixmap = m_c.pictures.value(block);
    if (!pixmap.isNull()) {
        painter.drawPixmap(picture, pixmap);
    } else {
        painter.setPen(kHint);
        painter.drawRect(picture.adjusted(0, 0, -1, -1));
    }
    // The collapse glyph: a plus while collapsed, else a minus.
    paintBox(painter, m_c.layout->glyphRect(block), entry.name.collapsed);
}

void FormPainter::paintBox(QPainter& painter, const QRect& rect, bool plus) const {
    const int inset = m_c.screen.scaleX(3);
    const QRect box = rect.adjusted(inset, inset, -inset, -inset);
    painter.setPen(QPen(kNormal, std::max(1, m_c.screen.scaleX(1))));
    painter.drawRect(box);
    const QPoint c = box.center();
    const int arm = box.width() / 2 - m_c.screen.scaleX(2);
    painter.drawLine(c.x() - arm, c.y(), c.x() + arm, c.y());
    if (plus) {
        painter.drawLine(c.x(), c.y() - arm, c.x(), c.y() + arm);
    }
    painter.setPen(kNormal);
}

void FormPainter::paintLine(QPainter& painter, int index) const {
    const FormLayout::Line& line = m_c.layout->lines()[index];
    const FormEntry& entry = (*m_c.blocks)[line.block];
    if (line.block == m_c.noteEditorBlock) {
        return;
    }
    const int pad = 2;
    painter.setFont(m_c.normal);
    painter.setPen(kLabel);
    const QRect label = m_c.layout->labelRect(index).adjusted(pad, 0, -pad, 0);
    QString labelText;
    if (entry.kind == BlockKind::Name) {
        labelText = fullLabel(entry.labels.at(line.row));
        if (painter.fontMetrics().horizontalAdvance(labelText) >= label.width()) {
            labelText = shortLabel(entry.labels.at(line.row));
        }
    } else if (entry.kind == BlockKind::Address && line.line > 0) {
        labelText.clear();
    } else if (entry.kind != BlockKind::Notes) {
        labelText = entry.labelText(line.row);
    }
    painter.drawText(label, Qt::AlignVCenter | Qt::AlignLeft,
                     painter.fontMetrics().elidedText(labelText, Qt::ElideRight, label.width()));
    if (line.line == 0 && entry.kind != BlockKind::Name) {
        paintButtons(painter, index);
    }
    if (m_c.templateMode && entry.kind != BlockKind::Name) {
        return;
    }
    if (index != m_c.editingLine) {
        bool hint = false;
        const QString text = valueText(entry, line, *m_c.locale, &hint);
        const bool invalid = entry.kind == BlockKind::Date && entry.rows[line.row].hasInvalidDate();
        painter.setPen(invalid ? kError : hint ? kHint : kNormal);
        const QRect value = m_c.layout->valueRect(index).adjusted(pad, 0, -pad, 0);
        if (entry.kind == BlockKind::Notes) {
            painter.drawText(value, Qt::AlignTop | Qt::AlignLeft | Qt::TextWordWrap, text);
        } else {
            painter.drawText(value, Qt::AlignVCenter | Qt::AlignLeft,
                             painter.fontMetrics().elidedText(text, Qt::ElideRight, value.width()));
        }
    }
    if (entry.kind == BlockKind::Messenger) {
        const QRect type = m_c.layout->typeRect(index);
        painter.setFont(m_c.bold);
        painter.setPen(kNormal);
        const QRect arrow = m_c.layout->arrowRect(index);
        painter.drawText(type.adjusted(0, 0, -arrow.width(), 0), Qt::AlignVCenter | Qt::AlignRight,
                         entry.messengerTypeText(line.row));
        paintArrow(painter, arrow);
    } else if (entry.kind == BlockKind::Category || entry.kind == BlockKind::Link) {
        paintArrow(painter, m_c.layout->arrowRect(index));
    }
}

void FormPainter::paintButtons(QPainter& painter, int index) const {
    const FormLayout::Line& line = m_c.layout->lines()[index];
    const FormEntry& entry = (*m_c.blocks)[line.block];
    if (formrules::hasDeleteButton(entry, line.row, m_c.templateMode)) {
        paintBox(painter, m_c.layout->deleteRect(index), false);
    }
    if (formrules::hasAddButton(entry, line.row, m_c.templateMode)) {
        paintBox(painter, m_c.layout->addRect(index), true);
    }
}

void FormPainter::paintArrow(QPainter& painter, const QRect& rect) const {
    const QPoint c = rect.center();
    const int w = std::max(2, rect.width() / 4);
    QPainterPath path;
    path.moveTo(c.x() - w, c.y() - w / 2);
    path.lineTo(c.x() + w, c.y() - w / 2);
    path.lineTo(c.x(), c.y() + w / 2 + 1);
    path.closeSubpath();
    painter.fillPath(path, kNormal);
}

}  // namespace kontavo
