#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

namespace kontavo {

class Locale;
class SettingsStore;

// The letter groups of the ABC bar, parsed from a letter-group text such as
// "ABC/ABC DEF/DEF": per group a label, an alternate label (after "^" in the
// label part, empty when none) and its letters. The group table derived from
// them maps text to group codes for the index and the search: each group's
// letters lower-cased without repeated characters, its first character being
// the group's code. A plain copyable value.
class LetterGroupSet {
public:
    // Letter-set types as stored in "ABC" "Type".
    enum Type { Custom = 0, English = 1, Russian = 2, EnglishRussian = 3, German = 4 };
    static constexpr int kTypeCount = 5;
    // Resource ids of types 1..4 (type 0 has none) and their name strings.
    static int resourceId(int type);
    static int nameStringId(int type);

    // Whether two sets differ in what the bars show or what the index stores.
    struct Changes {
        bool labels = false;     // group count, alternate flag, a label or alternate label
        bool letters = false;    // group count or a letters string
        bool alternate = false;  // the has-alternate flag
    };
    // Names (string 119, 117, ...), source texts and types for the options
    // page, in the same order.
    struct Available {
        QStringList names;
        QStringList texts;
        QList<int> types;
    };

    LetterGroupSet() = default;

    // Parses a letter-group text; nullopt when it yields no group.
    static std::optional<LetterGroupSet> parse(QStringView text);
    // Parses resource "ABC" `id` after its byte-order mark; nullopt when the
    // resource is missing, shorter than 4 bytes, without the mark, or empty
    // of groups.
    static std::optional<LetterGroupSet> loadResourceSet(int id);
    // Parses the stored custom text ("ABC" "Custom", UTF-16 without mark).
    static std::optional<LetterGroupSet> loadCustomSet(const SettingsStore& settings);
    // The stored custom text, empty when none.
    static QString customText(const SettingsStore& settings);
    // Stores `text` as the custom text (UTF-16LE, no mark, no terminator).
    static bool storeCustomText(SettingsStore& settings, const QString& text);
    // The type in use: "ABC" "Type" when 0..4, else chosen by the low byte of
    // the system language (0x09 English, 0x19 Russian, 0x07 German; others
    // English).
    static int activeType(const SettingsStore& settings, const Locale& locale);
    // The set of the active type; one that does not load falls back to the
    // English resource.
    static LetterGroupSet loadActiveSet(const SettingsStore& settings, const Locale& locale);
    static Available availableSets(const SettingsStore& settings);
    static Changes compare(const LetterGroupSet& before, const LetterGroupSet& after,
                           const Locale& locale);

    const QString& sourceText() const { return m_source; }
    const QStringList& labels() const { return m_labels; }
    const QStringList& alternateLabels() const { return m_alternates; }
    const QStringList& letters() const { return m_letters; }
    bool hasAlternate() const { return m_hasAlternate; }
    int count() const { return int(m_letters.size()); }
    bool isEmpty() const { return m_letters.isEmpty(); }

    // Per group: its letters lower-cased, repeated characters removed.
    const QStringList& groupTable() const { return m_table; }
    // The code of group `group` (the first character of its table entry);
    // a null character for an index out of range.
    QChar groupCode(int group) const;
    // The code of the first group holding `c` (lower-cased by the caller);
    // a null character when no group holds it.
    QChar codeOf(QChar c) const { return QChar(m_codes.value(c.unicode(), 0)); }
    // The codes of `text` (lower-cased by the caller) up to its first
    // character that is in no group; nullopt when not even the first maps.
    std::optional<QString> groupCodes(QStringView text) const;
    // `word` with every character replaced by its group code; nullopt unless
    // every character belongs to a group.
    std::optional<QString> rewrite(QStringView word) const;

private:
    void addGroup(const QString& label, const QString& alternate, const QString& letters);

    QString m_source;
    QStringList m_labels;
    QStringList m_alternates;
    QStringList m_letters;
    bool m_hasAlternate = false;
    QStringList m_table;
    QHash<char16_t, char16_t> m_codes;  // first group holding a character wins
};

}  // namespace kontavo
