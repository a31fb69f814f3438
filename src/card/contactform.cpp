#include "card/contactform.h"

#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>
#include <QSet>

#include "card/addressformattable.h"
#include "card/formblockrules.h"
#include "card/formcanvas.h"
#include "card/formpainter.h"
#include "card/inktextedit.h"
#include "card/notesblock.h"
#include "diag/errorlog.h"
#include "diag/resources.h"
#include "ui/icons.h"
#include "ui/pictureimage.h"
#include "ui/sharedfonts.h"

namespace kontavo {

namespace {

constexpr int kPersonIcon = 42210;
constexpr int kRingtoneLabel = 42121;

}  // namespace

ContactForm::ContactForm(FormServices services, bool templateMode, QWidget* parent)
    : QScrollArea(parent),
      m_services(std::move(services)),
      m_templateMode(templateMode),
      m_layout(m_services.screen, 0, templateMode),
      m_canvas(new FormCanvas(*this)) {
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setWidget(m_canvas);
    setWidgetResizable(false);
    setFont(SharedFonts::current().normal);
}

ContactForm::~ContactForm() {
    dropNoteEditor();
}

QWidget* ContactForm::canvas() const {
    return m_canvas;
}

void ContactForm::addBlock(const FormEntry& entry, int position) {
    closeEditor();
    if (position < 0 || position > m_blocks.size()) {
        position = int(m_blocks.size());
    }
    m_blocks.insert(position, entry);
    if (entry.kind == BlockKind::Notes && !m_templateMode && m_notes == nullptr) {
        attachNoteEditor(entry);
    }
    relayout();
}

void ContactForm::removeAll() {
    closeEditor();
    dropNoteEditor();
    m_blocks.clear();
    relayout();
}

int ContactForm::findBlock(int type) const {
    for (qsizetype i = 0; i < m_blocks.size(); ++i) {
        if (m_blocks[i].type == type) {
            return int(i);
        }
    }
    return -1;
}

void ContactForm::scrollTo(int block) {
    if (block < 0 || block >= m_blocks.size()) {
        return;
    }
    const QRect rect = m_layout.blockRect(block);
    ensureVisible(0, rect.bottom(), 0, 0);
    ensureVisible(0, rect.top(), 0, 0);
    if (m_templateMode) {
        return;
    }
    if (m_notes != nullptr && block == noteBlockIndex()) {
        commitEdit();
        m_notes->editor()->setFocus();
        return;
    }
    leaveNote();
    for (qsizetype i = 0; i < m_layout.lines().size(); ++i) {
        const FormLayout::Line& line = m_layout.lines()[i];
        const BlockKind kind = m_blocks[line.block].kind;
        if (line.block == block && kind != BlockKind::Notes && kind != BlockKind::Category &&
            kind != BlockKind::Link) {
            startEdit(int(i));
            return;
        }
    }
}

const QList<FormEntry>& ContactForm::collect() {
    commitEdit();
    takeNote();
    return m_blocks;
}

void ContactForm::setNeedsLayout(bool on) {
    m_needsLayout = on;
    if (!on) {
        relayout();
    }
}

void ContactForm::setNameLineHidden(int line, bool hidden) {
    const int block = findBlock(0);
    if (block < 0 || line < 0 || line >= kNameLineCount) {
        return;
    }
    closeEditor();
    m_blocks[block].name.hidden[size_t(line)] = hidden;
    relayout();
}

void ContactForm::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    if (event->size().width() != event->oldSize().width()) {
        relayout();
    }
}

QPixmap ContactForm::pictureOf(int block) const {
    const FormEntry& entry = m_blocks[block];
    if (entry.name.picture != nullptr) {
        return QPixmap::fromImage(pictureImage(*entry.name.picture));
    }
    return loadIconPixmap(kPersonIcon, m_services.screen);
}

// A picture larger than the frame shrinks to it keeping its proportions.
QList<QSize> ContactForm::pictureSizes() const {
    QList<QSize> sizes;
    const int frame = m_services.screen.scaleX(FormLayout::kPictureFrame);
    for (qsizetype b = 0; b < m_blocks.size(); ++b) {
        if (m_blocks[b].kind != BlockKind::Name) {
            sizes.append(QSize());
            continue;
        }
        QSize size = pictureOf(int(b)).size();
        if (size.isEmpty()) {
            size = QSize(frame, frame);
        } else if (size.width() > frame || size.height() > frame) {
            size = size.scaled(frame, frame, Qt::KeepAspectRatio);
        }
        sizes.append(size);
    }
    return sizes;
}

// Laying out moves the note editor, which may change its height and ask
// for another layout; that one follows when this one is done.
void ContactForm::relayout() {
    if (m_needsLayout) {
        return;
    }
    if (m_layingOut) {
        m_layoutAgain = true;
        return;
    }
    m_layingOut = true;
    constexpr int kMostRounds = 4;  // a width and a height settle well before
    for (int round = 0; round == 0 || (m_layoutAgain && round < kMostRounds); ++round) {
        m_layoutAgain = false;
        layoutOnce();
    }
    m_layingOut = false;
}

void ContactForm::layoutOnce() {
    int width = viewport()->width();
    if (width <= 0) {
        width = m_services.screen.scaleX(240);
    }
    m_layout = FormLayout(m_services.screen, width, m_templateMode);
    m_layout.layout(m_blocks, pictureSizes(), noteEditorHeight());
    const QFontMetrics bold(SharedFonts::current().bold);
    for (qsizetype i = 0; i < m_layout.lines().size(); ++i) {
        const FormLayout::Line& line = m_layout.lines()[i];
        if (m_blocks[line.block].kind == BlockKind::Messenger) {
            m_layout.setTypeWidth(
                int(i), bold.horizontalAdvance(m_blocks[line.block].messengerTypeText(line.row)));
        }
    }
    m_canvas->resize(width, std::max(1, m_layout.height()));
    placeNoteEditor();
    if (m_editor != nullptr && m_editLine >= 0 && m_editLine < m_layout.lines().size()) {
        m_editor->setGeometry(m_layout.valueRect(m_editLine));
    }
    m_canvas->update();
}

void ContactForm::paintCanvas(QPainter& painter, const QRect& exposed) const {
    FormPainter::Context context;
    context.blocks = &m_blocks;
    context.layout = &m_layout;
    context.locale = m_services.context.locale;
    context.screen = m_services.screen;
    context.normal = SharedFonts::current().normal;
    context.bold = SharedFonts::current().bold;
    context.templateMode = m_templateMode;
    context.editingLine = m_editor != nullptr ? m_editLine : -1;
    context.noteEditorBlock = m_notes != nullptr ? noteBlockIndex() : -1;
    for (qsizetype b = 0; b < m_blocks.size(); ++b) {
        context.pictures.append(m_blocks[b].kind == BlockKind::Name ? pictureOf(int(b))
                                                                    : QPixmap());
    }
    FormPainter(context).paint(painter, exposed);
}

void ContactForm::tapAt(const QPoint& point) {
    commitEdit();
    leaveNote();
    const FormLayout::Hit hit = m_layout.hitTest(point, m_blocks);
    switch (hit.part) {
        case FormLayout::Part::Glyph:
            toggleCollapsed(hit.block);
            break;
        case FormLayout::Part::Picture:
            choosePicture(hit.block);
            break;
        case FormLayout::Part::None:
            break;
        default:
            tapLine(hit);
            break;
    }
}

void ContactForm::tapLine(const FormLayout::Hit& hit) {
    const FormLayout::Line& line = m_layout.lines()[hit.line];
    const FormEntry& entry = m_blocks[line.block];
    switch (hit.part) {
        case FormLayout::Part::Delete:
            deleteRowAt(hit.line);
            return;
        case FormLayout::Part::Add:
            addRowAt(hit.line);
            return;
        case FormLayout::Part::Label:
            if (entry.hasRowOperations()) {
                openLabelMenu(hit.line);
            }
            return;
        case FormLayout::Part::Type:
            openTypeMenu(hit.line);
            return;
        default:
            break;
    }
    if (m_templateMode) {
        return;
    }
    switch (entry.kind) {
        case BlockKind::Category:
            chooseCategories(line.block);
            return;
        case BlockKind::Link:
            chooseLink(hit.line);
            return;
        case BlockKind::Notes:
            return;  // the note editor covers it
        default:
            startEdit(hit.line);
    }
}

void ContactForm::deleteRowAt(int line) {
    const FormLayout::Line l = m_layout.lines()[line];
    formrules::deleteRow(m_blocks[l.block], l.row);
    relayout();
    markChanged();
}

void ContactForm::addRowAt(int line) {
    const int block = m_layout.lines()[line].block;
    const int row = formrules::addRow(m_blocks[block], *m_services.context.addressFormats);
    relayout();
    markChanged();
    if (!m_templateMode) {
        startEdit(m_layout.lineOf(block, row));
    }
}

void ContactForm::toggleCollapsed(int block) {
    NameBlockData& name = m_blocks[block].name;
    name.collapsed = !name.collapsed;
    name.lines[kLineName] = combinedName(name.lines);
    relayout();
    markChanged();
}

void ContactForm::choosePicture(int block) {
    if (m_templateMode) {
        return;
    }
    if (!m_services.choosePicture) {
        reportMissing("The picture dialog is not available.");
        return;
    }
    NameBlockData& name = m_blocks[block].name;
    const std::optional<PictureChoice> chosen =
        m_services.choosePicture(PictureChoice{name.picture, name.pictureName});
    if (chosen &&
        !(samePicture(chosen->picture, name.picture) && chosen->name == name.pictureName)) {
        name.picture = chosen->picture;
        name.pictureName = chosen->name;
        relayout();
        markChanged();
    }
}

void ContactForm::chooseCategories(int block) {
    if (!m_services.chooseCategories) {
        reportMissing("The category list is not available.");
        return;
    }
    FormEntry& entry = m_blocks[block];
    const std::optional<QByteArray> mask = m_services.chooseCategories(entry.categoryMask);
    if (mask && *mask != entry.categoryMask) {
        entry.categoryMask = *mask;
        entry.rows[0].text = ContactEditInPropMapper(m_services.context).categoryText(*mask);
        m_canvas->update();
        markChanged();
    }
}

void ContactForm::chooseLink(int line) {
    const FormLayout::Line l = m_layout.lines()[line];
    FormEntry& entry = m_blocks[l.block];
    FormRow& row = entry.rows[l.row];
    std::optional<QString> chosen;
    if (entry.labelText(l.row) == loadString(kRingtoneLabel)) {
        if (!m_services.chooseSound) {
            reportMissing("The sound chooser is not available.");
            return;
        }
        chosen = m_services.chooseSound(row.text);
    } else {
        if (!m_services.chooseFile) {
            reportMissing("The open-file dialog is not available.");
            return;
        }
        chosen = m_services.chooseFile(LinkedFileRequest::forValue(row.text));
    }
    if (chosen && *chosen != row.text) {
        row.text = *chosen;
        relayout();
        markChanged();
    }
}

void ContactForm::markChanged() {
    emit changed();
}

void ContactForm::reportMissing(const char* what) {
    static QSet<QString> reported;
    const QString message = QString::fromLatin1(what);
    if (!reported.contains(message)) {
        reported.insert(message);
        logError(message);
    }
}

}  // namespace kontavo
