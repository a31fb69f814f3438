#include "toolindex.h"

#include "store/contacts/contactsdatabase.h"
#include "storeoutput.h"

namespace kontavo {

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
      m_index(m_fs, m_settings, nullptr, context.locale) {}

ToolIndex::~ToolIndex() {
    m_index.close();
}

std::optional<DbInfo> ToolIndex::databaseInfo() {
    return m_context.db.info();
}

IndexStartup ToolIndex::start() {
    const std::optional<DbInfo> info = databaseInfo();
    if (!info || !m_reader) {
        return IndexStartup::Failed;
    }
    return startIndex(m_index, *m_reader, *info, &m_progress);
}

}  // namespace kontavo
