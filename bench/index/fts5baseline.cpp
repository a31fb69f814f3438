#include "fts5baseline.h"

namespace kontavo::bench {

namespace {

// Our words keep every character but the separators; FTS5 splits at
// anything but letters and digits unless told, so the phone key's tilde and
// the plus of numbers are made token characters.
constexpr const char* kSchema =
    "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF;"
    "CREATE VIRTUAL TABLE IF NOT EXISTS words USING fts5(w, g, "
    "tokenize=\"unicode61 remove_diacritics 0 tokenchars '~+'\", prefix='1 2 3 4');";

QString matchExpression(const QString& column, const QStringList& prefixes) {
    QStringList terms;
    for (const QString& prefix : prefixes) {
        terms.append(column + QStringLiteral(" : \"") + prefix + QStringLiteral("\"*"));
    }
    return terms.join(QStringLiteral(" AND "));
}

}  // namespace

bool Fts5Baseline::open(const QString& path) {
    if (!m_db.open(path) || !m_db.exec(kSchema)) {
        return false;
    }
    m_insert = std::make_unique<SqliteStatement>(
        m_db, "INSERT OR REPLACE INTO words(rowid, w, g) VALUES (?, ?, ?)");
    m_delete = std::make_unique<SqliteStatement>(m_db, "DELETE FROM words WHERE rowid = ?");
    m_match = std::make_unique<SqliteStatement>(
        m_db, "SELECT rowid FROM words WHERE words MATCH ? ORDER BY rowid");
    return m_insert->isValid() && m_delete->isValid() && m_match->isValid();
}

void Fts5Baseline::close() {
    m_insert.reset();
    m_delete.reset();
    m_match.reset();
    m_db.close();
}

bool Fts5Baseline::begin() {
    return m_db.exec("BEGIN");
}

bool Fts5Baseline::commit() {
    return m_db.exec("COMMIT");
}

bool Fts5Baseline::put(Oid oid, const QStringList& words, const QStringList& groupWords) {
    m_insert->reset();
    m_insert->bind(1, int64_t(oid));
    m_insert->bind(2, words.join(QLatin1Char(' ')));
    m_insert->bind(3, groupWords.join(QLatin1Char(' ')));
    return m_insert->run();
}

bool Fts5Baseline::remove(Oid oid) {
    m_delete->reset();
    m_delete->bind(1, int64_t(oid));
    return m_delete->run();
}

bool Fts5Baseline::clear() {
    return m_db.exec("DELETE FROM words");
}

QList<Oid> Fts5Baseline::match(const QString& expression) {
    QList<Oid> found;
    m_match->reset();
    m_match->bind(1, expression);
    while (m_match->step()) {
        found.append(Oid(m_match->columnInt(0)));
    }
    return found;
}

QList<Oid> Fts5Baseline::findWords(const QStringList& prefixes) {
    return match(matchExpression(QStringLiteral("w"), prefixes));
}

QList<Oid> Fts5Baseline::findGroupKey(const QString& key) {
    return match(matchExpression(QStringLiteral("g"), {key}));
}

}  // namespace kontavo::bench
