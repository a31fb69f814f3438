#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <optional>

#include "comm/vcard.h"
#include "comm/vcardproperty.h"

namespace kontavo {

// Fills one contact from the properties of one card, whichever program
// wrote it (docs/formats/vcard.md has the mapping). Every value lands in a
// fixed field or a labelled extended entry; what has no home becomes an
// "other" entry labelled with its property name. One card per object; UI
// thread (labels come from the string table).
class VCardCardReader {
public:
    VCardContact read(const VCardCard& card);

private:
    // A phone, e-mail or address waiting for its field: placed once every
    // property that names its own field has been placed.
    struct Pending {
        QString value;
        int preference = 0;                 // 0 none; 1 the most preferred
        QString label;                      // the label of the entry it becomes
        std::optional<ContactField> field;  // the field the label names
        int order = 0;                      // the property's place in the card
    };

    void readProperty(const VCardProperty& property);
    bool readOwn(const VCardProperty& property);
    bool readIdentity(const VCardProperty& property);
    bool readCommunication(const VCardProperty& property);
    bool readPeopleAndDates(const VCardProperty& property);
    bool readMedia(const VCardProperty& property);
    void readOther(const VCardProperty& property);

    void readName(const QString& value);
    void readOrganisation(const QString& value);
    void readPhone(const VCardProperty& property);
    void readEmail(const VCardProperty& property);
    void readAddress(const VCardProperty& property);
    void readWeb(const VCardProperty& property, const QString& defaultLabel);
    void readMessenger(const VCardProperty& property, const QString& type);
    void readImpp(const VCardProperty& property);
    void readRelated(const VCardProperty& property);
    void readDateProperty(const VCardProperty& property, const QString& label);
    void readPhoto(const VCardProperty& property);
    void readCategories(const QString& value);

    void placePhones();
    void placeEmails();
    void placeDate(const QString& label, FileTime time);
    void placePerson(const QString& label, const QString& name);
    void placeText(ContactField field, const QString& label, const QString& text);
    void addOther(const QString& label, const QString& text);
    void addPhoneOrEmail(QList<LabeledValue>& list, const Pending& item);
    // Makes `tag` the preferred item when it is preferred more than the one
    // so far (a lower PREF level, or the same level earlier in the card).
    void prefer(uint32_t tag, const Pending& item);

    // The label a property carries: its own X-LABEL parameter, else the
    // item label of its group; empty when it has neither.
    QString labelOf(const VCardProperty& property) const;
    static int preferenceOf(const VCardProperty& property);
    void setField(ContactField f, const QString& text) { m_contact.record.setField(f, text); }
    bool isFree(ContactField f) const { return m_contact.record.field(f).isEmpty(); }

    VCardContact m_contact;
    QHash<QString, QString> m_itemLabels;  // group -> X-ABLabel
    QList<Pending> m_phones;
    QList<Pending> m_emails;
    QStringList m_notes;
    QStringList m_addressLabels;  // LABEL values, kept when the card has no ADR
    QString m_formattedName;
    bool m_hasName = false;
    bool m_hasAddress = false;
    int m_preference = 0;
    int m_preferenceOrder = 0;
    int m_order = 0;  // the place of the property being read
};

}  // namespace kontavo
