// The contacts frame's search: the search field, the ABC bars, the keys
// typed in the list and the category drop-down button.
#include <QLineEdit>

#include "card/contactcardview.h"
#include "diag/resources.h"
#include "list/bigabcbar.h"
#include "list/contactsframe.h"
#include "list/listdownbutton.h"
#include "list/listkeyrouter.h"
#include "list/searchedit.h"
#include "list/smallabcbar.h"
#include "list/splitterwnd.h"
#include "platform/keymap.h"
#include "ui/shellui.h"

namespace kontavo {

void ContactsFrame::connectSearch() {
    connect(m_search, &SearchEdit::textChanged, this, &ContactsFrame::searchTextChanged);
    connect(m_search, &SearchEdit::upDownPressed, this, [this] { m_list->view()->setFocus(); });
    connect(m_search, &SearchEdit::groupBackspacePressed, this,
            [this](int caret, int selectionStart, int selectionLength) {
                removeGroups(m_groups.removeAt(caret, selectionStart, selectionLength));
            });
    if (ShellUi* shell = m_services.shell) {
        m_search->setSipHooks([shell] { return shell->isSipUp(); },
                              [shell](bool up) { shell->setSipUp(up); });
        connect(m_search, &SearchEdit::tapped, shell, [shell] { shell->setSipUp(true); });
    }
    connect(m_categoryButton, &ListDownButton::tapped, this, &ContactsFrame::chooseFilter);
}

void ContactsFrame::connectBars() {
    connect(m_smallBar, &AbcBar::commandPosted, this, &ContactsFrame::barCommand);
    connect(m_bigBar, &AbcBar::commandPosted, this, &ContactsFrame::barCommand);
}

ListSearch ContactsFrame::currentSearch() const {
    ListSearch search;
    if (!m_groups.isEmpty()) {
        for (const int group : m_groups.groups()) {
            search.groupKey.append(m_services.letterGroups.groupCode(group));
        }
    } else {
        search.text = m_textTracker.lastText();
    }
    return search;
}

void ContactsFrame::refillList() {
    m_list->refill(currentSearch());
    selectionChanged();
}

// Typed text: an empty (trimmed) text clears the picked groups; a text that
// differs from the last one searched refills.
void ContactsFrame::searchTextChanged(const QString& text) {
    const SearchTextTracker::Outcome outcome = m_textTracker.textChanged(text);
    const bool hadGroups = !m_groups.isEmpty();
    if (outcome.clearGroups) {
        m_groups.clear();
        m_smallBar->resetPresses();
        m_bigBar->resetPresses();
    }
    if (outcome.refill || (outcome.clearGroups && hadGroups)) {
        refillList();
    }
}

// Group i, backspace (N) or clear all (N + 1) from either bar.
void ContactsFrame::barCommand(int command) {
    const int count = m_services.letterGroups.count();
    if (command >= 0 && command < count) {
        pickGroup(command);
    } else if (command == count) {
        const QLineEdit* edit = m_search->lineEdit();
        if (!m_groups.isEmpty()) {
            const int caret = m_search->mode() == SearchMode::Group ? edit->cursorPosition()
                                                                    : int(m_groups.text().size());
            removeGroups(
                m_groups.removeAt(caret, edit->selectionStart(), int(edit->selectedText().size())));
        }
    } else if (command == count + 1) {
        clearGroups();
    }
}

void ContactsFrame::pickGroup(int group) {
    if (group < 0 || group >= m_services.letterGroups.count()) {
        return;
    }
    if (m_groups.isEmpty()) {
        m_textTracker.reset();  // a typed search gives way to the groups
    }
    const QString letters = m_services.letterGroups.letters().value(group);
    m_groups.append(group, letters.isEmpty() ? QChar() : letters.front());
    m_smallBar->groupAppended(group);
    m_bigBar->groupAppended(group);
    groupsChanged();
}

void ContactsFrame::removeGroups(const QList<int>& groups) {
    for (const int group : groups) {
        m_smallBar->groupRemoved(group);
        m_bigBar->groupRemoved(group);
    }
    if (!groups.isEmpty()) {
        groupsChanged();
    }
}

void ContactsFrame::clearGroups() {
    const bool hadGroups = !m_groups.isEmpty();
    m_groups.clear();
    m_smallBar->resetPresses();
    m_bigBar->resetPresses();
    if (hadGroups) {
        groupsChanged();
    }
}

// The field shows the picks ("A-D-A") in group mode, or is emptied in text
// mode when none is left; the list follows.
void ContactsFrame::groupsChanged() {
    m_textTracker.reset();
    if (m_groups.isEmpty()) {
        m_search->clear();
    } else {
        m_search->setMode(SearchMode::Group);
        m_search->setGroupText(m_groups.text());
    }
    refillList();
}

// Keys the list does not use: keypad digits pick groups, Backspace removes
// the last group, typed characters go to the search field, Right moves into
// the card while it is shown.
bool ContactsFrame::listKey(const ListKey& key) {
    if (key.virtualKey == vk::kRight) {
        if (m_splitter->isVisible() && m_splitter->state().mode() != SplitMode::Bottom) {
            m_card->setFocus();
            return true;
        }
        return false;
    }
    const ListKeyRouter::Route route =
        ListKeyRouter().route(key, m_services.letterGroups.count(), !m_groups.isEmpty());
    switch (route.action) {
        case ListKeyRouter::Action::None:
            return false;
        case ListKeyRouter::Action::Consume:
            return true;
        case ListKeyRouter::Action::PickGroup:
            pickGroup(route.group);
            return true;
        case ListKeyRouter::Action::RemoveLastGroup: {
            const int group = m_groups.removeLast();
            removeGroups(group >= 0 ? QList<int>{group} : QList<int>{});
            return true;
        }
        case ListKeyRouter::Action::TypeIntoSearch:
            m_search->typeKey(key);
            return true;
    }
    return false;
}

// The button shows "View" while the filter's menu is open under it.
void ContactsFrame::chooseFilter() {
    m_categoryButton->setCaption(loadString(kViewCaptionString));
    m_categoryButton->repaint();
    const bool changed = m_list->chooseFilter(m_categoryButton);
    m_categoryButton->setCaption(m_list->filterCaption());
    if (changed) {
        selectionChanged();
    }
}

}  // namespace kontavo
