#include "list/contactsframe.h"

#include <QKeyEvent>
#include <QPainter>

#include "card/addressformattable.h"
#include "card/contactcarddialog.h"
#include "card/contactcardview.h"
#include "card/contacttemplatefile.h"
#include "comm/phonetemplatesettings.h"
#include "list/abcbarlabels.h"
#include "list/bigabcbar.h"
#include "list/cardrefreshobserver.h"
#include "list/contactstoresession.h"
#include "list/listdownbutton.h"
#include "list/listkey.h"
#include "list/searchedit.h"
#include "list/smallabcbar.h"
#include "list/splitterwnd.h"
#include "platform/devicefs.h"
#include "platform/keymap.h"
#include "platform/locale.h"
#include "store/contacts/contactmanager.h"
#include "store/settings/settingsstore.h"
#include "ui/framehost.h"
#include "ui/sharedfonts.h"
#include "ui/shellui.h"
#include "ui/wndmessages.h"

namespace kontavo {

namespace {

// The setting change the shell sends when the SIP moved.
constexpr uint32_t kSipChanged = 224;

}  // namespace

ContactsFrame::ContactsFrame(ContactsFrameServices services)
    : ContactsAppFrame(QStringLiteral("CONTACTS.FRAME.CLASS")),
      m_services(std::move(services)),
      m_view(*m_services.settings, m_services.changeFlags),
      m_layout(m_services.screen) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

// The splitter settings are written as the frame goes; the list goes before
// the widgets that hold its control.
ContactsFrame::~ContactsFrame() {
    if (m_cardDialog != nullptr) {
        m_cardDialog->disconnect(this);
        delete m_cardDialog;
    }
    if (m_splitter != nullptr) {
        m_splitter->saveSettings(*m_services.settings);
    }
    if (m_services.store != nullptr) {
        m_services.store->setObserver(nullptr);
    }
    m_list.reset();
}

bool ContactsFrame::onCreate() {
    loadContactTemplate(m_template, *m_services.device);
    m_view.load();
    m_dialMethod = dialMethodOf(m_services.settings->get(settings::kDialupMode));
    m_cardContext.addressFormats = &AddressFormatTable::instance();
    m_cardContext.locale = &Locale::user();
    m_cardContext.phoneTemplates = loadPhoneTemplates(*m_services.settings);
    if (ContactStoreSession* store = m_services.store) {
        m_cardContext.categoryNames = [store](const QByteArray& mask) {
            return store->manager().categories().namesOfMask(mask);
        };
    }
    if (!createControls()) {
        m_list.reset();
        qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
        m_search = nullptr;
        m_splitter = nullptr;
        m_smallBar = nullptr;
        m_bigBar = nullptr;
        m_categoryButton = nullptr;
        m_card = nullptr;
        return false;
    }
    connectSearch();
    connectBars();
    connectList();
    applyStartSettings();
    return true;
}

// The controls in their order: category button, search field, the two ABC
// bars, the splitter, the list and the card inside the splitter.
bool ContactsFrame::createControls() {
    const Screen& screen = m_services.screen;
    m_categoryButton = new ListDownButton(screen, this);
    m_categoryButton->setFont(SharedFonts::current().normal);
    m_search = new SearchEdit(screen, this);
    const AbcBarLabels labels = AbcBarLabels::fromSet(m_services.letterGroups);
    m_smallBar = new SmallAbcBar(screen, this);
    m_smallBar->setLabels(labels);
    m_bigBar = new BigAbcBar(screen, this);
    m_bigBar->setLabels(labels);
    m_splitter = new SplitterWnd(screen, this);
    m_splitter->loadSettings(*m_services.settings);
    if (!m_services.makeList) {
        return false;
    }
    m_list = m_services.makeList();
    if (m_list == nullptr || m_list->view() == nullptr) {
        return false;
    }
    m_card = new ContactCardView(screen);
    const DeviceFs* device = m_services.device;
    m_card->setPhoneDeviceTest([device] { return device != nullptr && device->isPhoneDevice(); });
    m_card->installEventFilter(this);
    connect(m_card, &ContactCardView::linkActivated, this, &ContactsFrame::cardLinkActivated);
    m_splitter->setPanes(m_list->view(), m_card);
    return true;
}

// AbcMode, SplitVisible and the sort type (which fills the list); the list
// gets the focus.
void ContactsFrame::applyStartSettings() {
    m_list->setNameOnly(m_view.nameOnly());
    m_list->setDoubleSized(m_view.doubleSized());
    m_list->setSortType(m_view.sortType());
    if (m_services.store != nullptr) {
        m_cardObserver = std::make_unique<CardRefreshObserver>(
            *m_list->observer(), [this](Oid oid) { contactChanged(oid); });
        m_services.store->setObserver(m_cardObserver.get());
    }
    m_categoryButton->setCaption(m_list->filterCaption());
    relayout();
    m_list->refill(currentSearch());
    selectionChanged();
    m_list->view()->setFocus();
}

void ContactsFrame::relayout() {
    if (m_splitter == nullptr) {
        return;
    }
    ContactsFrameLayout::Input input;
    input.client = rect();
    input.abcMode = m_view.abcMode();
    input.splitVisible = m_splitter->state().isVisible();
    const std::optional<int> sipTop =
        m_services.host != nullptr ? m_services.host->sipTop() : std::nullopt;
    input.sipUp = sipTop.has_value();
    input.sipTop = sipTop.value_or(0) - y();
    input.smallBarHeight = m_smallBar->barHeight();
    input.bigBarSize = m_bigBar->sizeHint();
    m_rects = m_layout.compute(input);

    m_categoryButton->setGeometry(m_rects.categoryButton);
    m_search->setGeometry(m_rects.searchField);
    m_smallBar->setGeometry(m_rects.smallBar);
    m_smallBar->setVisible(m_rects.smallBarShown);
    m_bigBar->setGeometry(m_rects.bigBar);
    m_bigBar->setVisible(m_rects.bigBarShown);
    QWidget* view = m_list->view();
    if (m_rects.splitterShown) {
        m_splitter->setPanes(view, m_card);
        m_splitter->setGeometry(m_rects.pane);
        m_splitter->show();
        m_splitter->relayout();
    } else {
        m_splitter->hide();
        view->setParent(this);
        view->setGeometry(m_rects.pane);
        view->show();
    }
}

void ContactsFrame::resizeEvent(QResizeEvent* event) {
    ContactsAppFrame::resizeEvent(event);
    relayout();
}

void ContactsFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
}

bool ContactsFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_card || event->type() != QEvent::KeyPress) {
        return ContactsAppFrame::eventFilter(watched, event);
    }
    const ListKey key = listKeyFromEvent(*static_cast<QKeyEvent*>(event));
    if (key.virtualKey == vk::kLeft) {
        m_list->view()->setFocus();
        return true;
    }
    if (key.typesText()) {
        m_search->typeKey(key);
        return true;
    }
    return false;
}

void ContactsFrame::moveFrame(const QRect& rect) {
    ContactsAppFrame::moveFrame(rect);
    relayout();
}

// After the options changed: the phone templates and the dial method may be
// new.
void ContactsFrame::refresh() {
    m_cardContext.phoneTemplates = loadPhoneTemplates(*m_services.settings);
    m_dialMethod = dialMethodOf(m_services.settings->get(settings::kDialupMode));
    relayout();
    m_list->refresh();
    rebuildCard(true);
}

void ContactsFrame::showFrame() {
    ContactsAppFrame::showFrame();
    relayout();
    setMenuMarks();
}

void ContactsFrame::onSettingChange(uint32_t code, uint32_t) {
    if (code == kSipChanged || code == wm::kSettingReset) {
        relayout();
    }
}

}  // namespace kontavo
