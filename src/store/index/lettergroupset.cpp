#include "store/index/lettergroupset.h"

#include "diag/resources.h"
#include "platform/locale.h"
#include "store/index/searchwords.h"
#include "store/settings/settingsstore.h"

namespace kontavo {

namespace {

constexpr int kResourceIds[LetterGroupSet::kTypeCount] = {0, 198, 199, 215, 220};
constexpr int kNameIds[LetterGroupSet::kTypeCount] = {119, 117, 118, 122, 130};
// Low byte of the system language chosen by types 1..4, in order.
constexpr int kLanguages[LetterGroupSet::kTypeCount] = {-1, 0x09, 0x19, 0x19, 0x07};
constexpr uint16_t kDefaultLanguage = 0x409;

QString fromUtf16Le(const QByteArray& bytes, qsizetype skip) {
    QString text;
    text.reserve((bytes.size() - skip) / 2);
    for (qsizetype i = skip; i + 1 < bytes.size(); i += 2) {
        text.append(QChar(char16_t(uint8_t(bytes[i]) | uint8_t(bytes[i + 1]) << 8)));
    }
    return text;
}

QString resourceText(int id) {
    const auto bytes = loadResource(QStringLiteral("ABC"), id);
    if (!bytes || bytes->size() < 4 || uint8_t(bytes->at(0)) != 0xFF ||
        uint8_t(bytes->at(1)) != 0xFE) {
        return QString();
    }
    return fromUtf16Le(*bytes, 2);
}

bool isSlash(QChar c) {
    return c == QLatin1Char('/') || c == QLatin1Char('\\');
}

}  // namespace

int LetterGroupSet::resourceId(int type) {
    return type > 0 && type < kTypeCount ? kResourceIds[type] : 0;
}

int LetterGroupSet::nameStringId(int type) {
    return type >= 0 && type < kTypeCount ? kNameIds[type] : 0;
}

std::optional<LetterGroupSet> LetterGroupSet::parse(QStringView text) {
    LetterGroupSet set;
    set.m_source = text.toString();
    QString label, alternate, letters;
    bool inLetters = false;
    bool inAlternate = false;
    for (QChar c : text) {
        if (!inLetters) {
            if (c == QLatin1Char(' ')) {
                continue;  // blanks never belong to a label
            }
            if (isSlash(c)) {
                inLetters = true;
            } else if (c == QLatin1Char('^') && !inAlternate) {
                inAlternate = true;
            } else {
                (inAlternate ? alternate : label).append(c);
            }
        } else if (c == QLatin1Char(' ')) {
            set.addGroup(label, alternate, letters);
            label.clear();
            alternate.clear();
            letters.clear();
            inLetters = inAlternate = false;
        } else if (!isWordSeparator(c)) {
            letters.append(c);
        }
    }
    set.addGroup(label, alternate, letters);
    if (set.isEmpty()) {
        return std::nullopt;
    }
    return set;
}

void LetterGroupSet::addGroup(const QString& label, const QString& alternate,
                              const QString& letters) {
    if (label.isEmpty() || letters.isEmpty()) {
        return;
    }
    m_labels.append(label);
    m_alternates.append(alternate);
    m_letters.append(letters);
    m_hasAlternate = m_hasAlternate || !alternate.isEmpty();
    QString entry;
    for (QChar c : letters.toLower()) {
        if (!entry.contains(c)) {
            entry.append(c);
        }
    }
    m_table.append(entry);
    for (QChar c : entry) {
        if (!m_codes.contains(c.unicode())) {
            m_codes.insert(c.unicode(), entry.front().unicode());
        }
    }
}

QChar LetterGroupSet::groupCode(int group) const {
    return group >= 0 && group < m_table.size() ? m_table[group].front() : QChar();
}

std::optional<QString> LetterGroupSet::groupCodes(QStringView text) const {
    QString codes;
    for (QChar c : text) {
        const QChar code = codeOf(c);
        if (code.isNull()) {
            break;
        }
        codes.append(code);
    }
    if (codes.isEmpty()) {
        return std::nullopt;
    }
    return codes;
}

std::optional<QString> LetterGroupSet::rewrite(QStringView word) const {
    const auto codes = groupCodes(word);
    if (!codes || codes->size() != word.size()) {
        return std::nullopt;
    }
    return codes;
}

std::optional<LetterGroupSet> LetterGroupSet::loadResourceSet(int id) {
    const QString text = resourceText(id);
    return text.isEmpty() ? std::nullopt : parse(text);
}

QString LetterGroupSet::customText(const SettingsStore& settings) {
    return fromUtf16Le(settings.get(settings::kAbcCustom), 0);
}

bool LetterGroupSet::storeCustomText(SettingsStore& settings, const QString& text) {
    QByteArray bytes;
    bytes.reserve(text.size() * 2);
    for (const QChar c : text) {
        bytes.append(char(c.unicode() & 0xFF));
        bytes.append(char(c.unicode() >> 8));
    }
    return settings.set(settings::kAbcCustom, bytes);
}

std::optional<LetterGroupSet> LetterGroupSet::loadCustomSet(const SettingsStore& settings) {
    return parse(customText(settings));
}

int LetterGroupSet::activeType(const SettingsStore& settings, const Locale& locale) {
    const int32_t stored = settings.get(settings::kAbcType);
    if (stored >= 0 && stored < kTypeCount) {
        return stored;
    }
    const uint16_t language = locale.languageId() != 0 ? locale.languageId() : kDefaultLanguage;
    for (int type = 1; type < kTypeCount; ++type) {
        if ((language & 0xFF) == kLanguages[type]) {
            return type;
        }
    }
    return English;
}

LetterGroupSet LetterGroupSet::loadActiveSet(const SettingsStore& settings, const Locale& locale) {
    const int type = activeType(settings, locale);
    auto set = type == Custom ? loadCustomSet(settings) : loadResourceSet(resourceId(type));
    if (!set) {
        set = loadResourceSet(resourceId(English));
    }
    return set.value_or(LetterGroupSet());
}

LetterGroupSet::Available LetterGroupSet::availableSets(const SettingsStore& settings) {
    Available sets;
    sets.names.append(loadString(nameStringId(Custom)));
    sets.texts.append(customText(settings));
    sets.types.append(Custom);
    for (int type = 1; type < kTypeCount; ++type) {
        if (const auto set = loadResourceSet(resourceId(type))) {
            sets.names.append(loadString(nameStringId(type)));
            sets.texts.append(set->sourceText());
            sets.types.append(type);
        }
    }
    return sets;
}

LetterGroupSet::Changes LetterGroupSet::compare(const LetterGroupSet& before,
                                                const LetterGroupSet& after, const Locale& locale) {
    Changes changes;
    const bool sameCount = before.count() == after.count();
    changes.alternate = before.hasAlternate() != after.hasAlternate();
    changes.labels = !sameCount || changes.alternate;
    changes.letters = !sameCount;
    for (int i = 0; sameCount && i < before.count(); ++i) {
        changes.labels = changes.labels ||
                         locale.compare(before.m_labels[i], after.m_labels[i]) != 0 ||
                         locale.compare(before.m_alternates[i], after.m_alternates[i]) != 0;
        changes.letters =
            changes.letters || locale.compare(before.m_letters[i], after.m_letters[i]) != 0;
    }
    return changes;
}

}  // namespace kontavo
