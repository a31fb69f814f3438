#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "store/record/contactrecord.h"

namespace kontavo {

// The FIELD=VALUE arguments of kontavo-store's add and set, parsed and
// checked before anything is written. An empty value clears the field (or
// removes the extended entries of that label).
class ContactEdit {
public:
    // nullopt, with the reason in `error`, when an argument is malformed, names
    // an unknown field, holds a bad date or number, or a category name with
    // "," or ";".
    static std::optional<ContactEdit> parse(const QStringList& assignments, QString& error);

    // Applies every assignment but the categories to a record whose user note
    // and extended properties have been split out of its notes.
    void applyTo(ContactRecord& record) const;
    // The category names of "categories=A;B", when given (empty: none).
    const std::optional<QStringList>& categories() const { return m_categories; }

private:
    bool parseOne(const QString& assignment, QString& error);
    bool parseExtended(const QString& kind, const QString& label, const QString& value,
                       QString& error);
    bool parseSpecial(const QString& key, const QString& value, QString& error);
    bool parseDateField(bool birthday, const QString& key, const QString& value, QString& error);
    bool parseCategories(const QString& value, QString& error);
    bool parseNumberField(const QString& name, const QString& key, const QString& value,
                          QString& error);
    bool parseMessenger(const QString& label, const QString& value, QString& error);
    bool parseAddressEntry(const QString& label, const QString& value, QString& error);
    bool parseDateEntry(const QString& label, const QString& value, QString& error);

    QList<std::function<void(ContactRecord&)>> m_changes;
    std::optional<QStringList> m_categories;
};

}  // namespace kontavo
