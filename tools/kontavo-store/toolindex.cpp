#include "toolindex.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QThread>

#include "store/contacts/contactsdatabase.h"
#include "storeoutput.h"
#include "storeparticipant.h"

namespace kontavo {

namespace {

// How long a wait for another program sleeps between looks.
constexpr int kNapMs = 20;

void nap() {
    StoreParticipant::pump();
    QThread::msleep(kNapMs);
}

}  // namespace

void StderrProgress::setRange(int low, int high) {
    m_low = low;
    m_high = std::max(low + 1, high);
    m_position = low;
    m_printed = -1;
}

void StderrProgress::setText(const QString& text) {
    m_text = text;
    printErr(text);
}

void StderrProgress::stepOnce() {
    m_position = std::min(m_high, m_position + m_step);
    const int tenth = (m_position - m_low) * 10 / (m_high - m_low);
    if (tenth > m_printed) {
        m_printed = tenth;
        printErr(QStringLiteral("%1: %2%").arg(m_text).arg(tenth * 10));
    }
}

ToolIndex::ToolIndex(StoreContext& context)
    : m_context(context),
      m_fs(context.root),
      m_registry(SqliteRegistry::fileInRoot(context.root)),
      m_settings(m_registry),
      m_handle(context.store.open(ContactsDatabase::databaseName(), DbOpenOptions())),
      m_reader(m_handle ? std::make_unique<ContactsDatabaseReader>(*m_handle, context.locale)
                        : nullptr),
      m_index(m_fs, m_settings, nullptr, context.locale) {
    if (m_context.participant != nullptr) {
        m_context.participant->route(this);
    }
}

ToolIndex::~ToolIndex() {
    if (m_context.participant != nullptr) {
        m_context.participant->route(nullptr);
    }
    m_index.close();
}

IndexSharing* ToolIndex::sharing() const {
    return m_context.participant != nullptr ? &m_context.participant->sync() : nullptr;
}

bool ToolIndex::isMaster() const {
    return sharing() == nullptr || sharing()->isMaster();
}

std::optional<DbInfo> ToolIndex::databaseInfo() {
    return m_context.db.info();
}

QString ToolIndex::folder() const {
    const QString file = m_fs.hostPath(DeviceFs::temporaryFolder()).value_or(QString());
    return QFileInfo(file).absoluteFilePath();
}

IndexStartup ToolIndex::start(int timeoutMs) {
    const std::optional<DbInfo> info = databaseInfo();
    if (!info || !m_reader) {
        return IndexStartup::Failed;
    }
    if (isMaster()) {
        m_stopped = false;
        return startIndex(m_index, *m_reader, *info, &m_progress, sharing());
    }
    const QDeadlineTimer deadline(timeoutMs);
    while (!m_index.isOpen()) {
        if (!m_stopped && m_index.attach()) {
            break;
        }
        if (deadline.hasExpired()) {
            return IndexStartup::Failed;
        }
        nap();
        if (isMaster()) {
            return start(int(deadline.remainingTime()));  // the other program left
        }
    }
    return IndexStartup::Current;
}

bool ToolIndex::waitCurrentTo(uint64_t databaseTime, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    while (true) {
        if (!m_index.isOpen() && !m_stopped) {
            m_index.attach();
        }
        const std::optional<uint64_t> currentTo = m_index.currentTo();
        if (currentTo && *currentTo >= databaseTime && m_index.settledMark()) {
            return true;
        }
        if (deadline.hasExpired()) {
            return false;
        }
        nap();
    }
}

bool ToolIndex::readSettled(const std::function<void()>& read, int timeoutMs) {
    if (isMaster()) {
        read();  // nobody else changes the index
        return true;
    }
    const QDeadlineTimer deadline(timeoutMs);
    for (int run = 0;; ++run) {
        const std::optional<uint32_t> before = m_index.settledMark();
        read();
        const std::optional<uint32_t> after = m_index.settledMark();
        if (before && before == after) {
            return true;
        }
        if (deadline.hasExpired()) {
            return false;
        }
        // The first run may open the index; after that another program
        // changed it meanwhile, or is changing it.
        if (run > 0 || before) {
            nap();
        }
    }
}

void ToolIndex::takeOverIndex() {
    m_index.close();
    m_stopped = false;
    const std::optional<DbInfo> info = databaseInfo();
    if (info && m_reader) {
        startIndex(m_index, *m_reader, *info, &m_progress, sharing());
    }
}

// Closing writes back whatever this tool changed, and waits for it.
void ToolIndex::leaveMasterMode() {
    m_index.close();
    m_index.attach();
}

void ToolIndex::stopIndex() {
    m_index.close();
    m_stopped = true;
}

void ToolIndex::reloadIndex() {
    m_stopped = false;
    m_index.close();
    if (isMaster()) {
        takeOverIndex();
    } else {
        m_index.attach();
    }
}

bool ToolIndex::takePreferredItem(Oid oid, uint32_t tag) {
    return m_context.db.writePreferredItem(oid, tag);
}

}  // namespace kontavo
