// Editing a value of the edit form in place.
#include <QAbstractItemView>
#include <QComboBox>
#include <QDate>
#include <QKeyEvent>
#include <QLineEdit>

#include "card/contactform.h"
#include "card/formblockrules.h"
#include "card/formcanvas.h"
#include "card/formpainter.h"
#include "ui/sharedfonts.h"

namespace kontavo {

QString ContactForm::startText(int line) const {
    const FormLayout::Line& l = m_layout.lines()[line];
    const FormEntry& entry = m_blocks[l.block];
    switch (entry.kind) {
        case BlockKind::Name:
            return entry.name.lines[size_t(l.row)];
        case BlockKind::Date:
            return formrules::dateText(entry, l.row, *m_services.context.locale);
        case BlockKind::Address:
            return l.line < entry.rows[l.row].address.lineCount()
                       ? entry.rows[l.row].address.lineText(l.line)
                       : QString();
        default:
            return formrules::editText(entry, l.row);
    }
}

QWidget* ContactForm::makeEditor(int line, const QString& text) {
    const FormLayout::Line& l = m_layout.lines()[line];
    const FormEntry& entry = m_blocks[l.block];
    const bool company = entry.kind == BlockKind::Name && l.row == kLineCompany;
    const bool fileAs = entry.kind == BlockKind::Name && l.row == kLineFileAs;
    QWidget* editor = nullptr;
    if (company || fileAs) {
        auto* combo = new QComboBox(m_canvas);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setCompleter(nullptr);  // the list itself narrows while typing
        if (company) {
            m_companies = m_services.companyNames ? m_services.companyNames() : QStringList();
            combo->addItems(m_companies);
            connect(combo->lineEdit(), &QLineEdit::textEdited, this, &ContactForm::filterCompanies);
        } else {
            combo->addItems(fileAsSuggestions(entry.name.lines));
        }
        combo->setEditText(text);
        m_lineEdit = combo->lineEdit();
        editor = combo;
    } else {
        m_lineEdit = new QLineEdit(m_canvas);
        m_lineEdit->setText(text);
        editor = m_lineEdit;
    }
    m_lineEdit->setFrame(false);
    m_lineEdit->installEventFilter(this);
    connect(m_lineEdit, &QLineEdit::returnPressed, this, &ContactForm::commitEdit);
    editor->setFont(SharedFonts::current().normal);
    editor->setGeometry(m_layout.valueRect(line));
    return editor;
}

void ContactForm::startEdit(int line) {
    closeEditor();
    leaveNote();
    if (line < 0 || line >= m_layout.lines().size() || m_templateMode) {
        return;
    }
    const FormLayout::Line& l = m_layout.lines()[line];
    if (m_blocks[l.block].kind == BlockKind::Address &&
        l.line >= m_blocks[l.block].rows[l.row].address.lineCount()) {
        return;
    }
    m_editLine = line;
    m_editStart = startText(line);
    // File As follows the name when an edit changes what it is made of.
    if (m_blocks[l.block].kind == BlockKind::Name) {
        m_fileAsSource = fileAsSource(m_blocks[l.block].name.lines);
    }
    m_editor = makeEditor(line, m_editStart);
    ensureVisible(0, l.top + l.height, 0, 0);
    ensureVisible(0, l.top, 0, 0);
    m_editor->show();
    m_editor->setFocus();
    m_lineEdit->selectAll();
    m_canvas->update();
}

void ContactForm::filterCompanies(const QString& typed) {
    auto* combo = qobject_cast<QComboBox*>(m_editor.data());
    if (combo == nullptr) {
        return;
    }
    const int cursor = m_lineEdit->cursorPosition();
    const QSignalBlocker blocker(combo);
    combo->clear();
    combo->addItems(offeredCompanies(m_companies, typed));
    combo->setEditText(typed);
    m_lineEdit->setCursorPosition(cursor);
}

void ContactForm::storeNameLine(FormEntry& entry, int nameLine, const QString& text) {
    NameBlockData& name = entry.name;
    if (nameLine == kLineName) {
        if (text == m_editStart) {
            return;
        }
        splitCombinedName(text, name.lines);
    } else {
        name.lines[size_t(nameLine)] = text;
    }
    name.lines[kLineName] = combinedName(name.lines);
    if (nameLine != kLineFileAs && fileAsSource(name.lines) != m_fileAsSource) {
        const QStringList suggestions = fileAsSuggestions(name.lines);
        name.lines[kLineFileAs] = suggestions.value(0);
    }
}

void ContactForm::storeText(int line, const QString& text) {
    const FormLayout::Line l = m_layout.lines()[line];
    FormEntry& entry = m_blocks[l.block];
    switch (entry.kind) {
        case BlockKind::Name:
            storeNameLine(entry, l.row, text);
            break;
        case BlockKind::Date: {
            const int year =
                m_services.currentYear != 0 ? m_services.currentYear : QDate::currentDate().year();
            formrules::commitDate(entry, l.row, text, m_services.context.locale->dateOrder(), year);
            break;
        }
        case BlockKind::Address:
            entry.rows[l.row].address.commitLine(l.line, text);
            break;
        default:
            formrules::commitText(entry, l.row, text);
            break;
    }
}

void ContactForm::commitEdit() {
    if (m_editor == nullptr || m_committing) {
        return;
    }
    m_committing = true;
    const int line = m_editLine;
    const QString text = m_lineEdit->text();
    closeEditor();
    if (text != m_editStart) {
        storeText(line, text);
        relayout();
        markChanged();
    }
    m_committing = false;
}

void ContactForm::cancelEdit() {
    closeEditor();
}

void ContactForm::closeEditor() {
    if (m_editor != nullptr) {
        QWidget* editor = m_editor;
        m_editor = nullptr;
        m_lineEdit->removeEventFilter(this);
        editor->hide();
        editor->deleteLater();
    }
    m_lineEdit = nullptr;
    m_editLine = -1;
    m_canvas->update();
}

// Up and Down move between the lines of an address row.
void ContactForm::moveEdit(int step) {
    const FormLayout::Line l = m_layout.lines()[m_editLine];
    const AddressRow& address = m_blocks[l.block].rows[l.row].address;
    const std::optional<int> next =
        step > 0 ? address.nextLine(l.line) : address.previousLine(l.line);
    if (!next) {
        return;
    }
    commitEdit();
    startEdit(m_layout.lineOf(l.block, l.row, *next));
}

bool ContactForm::eventFilter(QObject* watched, QEvent* event) {
    if (m_lineEdit != nullptr && watched == m_lineEdit) {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            const FormLayout::Line& l = m_layout.lines()[m_editLine];
            const bool address = m_blocks[l.block].kind == BlockKind::Address;
            if (key == Qt::Key_Escape) {
                cancelEdit();
                return true;
            }
            if (address && (key == Qt::Key_Down || key == Qt::Key_Up)) {
                moveEdit(key == Qt::Key_Down ? 1 : -1);
                return true;
            }
        } else if (event->type() == QEvent::FocusOut) {
            auto* combo = qobject_cast<QComboBox*>(m_editor.data());
            // The combo's own list takes the focus while it is open.
            if (combo == nullptr || !combo->view()->isVisible()) {
                commitEdit();
            }
        }
    }
    return QScrollArea::eventFilter(watched, event);
}

}  // namespace kontavo
