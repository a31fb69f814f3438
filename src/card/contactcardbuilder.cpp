#include "card/contactcardbuilder.h"

#include "card/addressformattable.h"
#include "card/contacttemplate.h"
#include "card/contactvaluemap.h"
#include "comm/phonenumberformat.h"
#include "platform/locale.h"
#include "store/notes/extendedblock.h"
#include "store/notes/notedocumentcodec.h"
#include "store/notes/pocketwordink.h"
#include "store/record/contactrecord.h"

namespace kontavo {

namespace {

const QString kBold = QStringLiteral("<B>");
const QString kBoldEnd = QStringLiteral("</B>");

// The values of a group in card order: for each template row the values
// with the row's label, then those whose label no row names. Each value
// comes once, also when two rows share a label.
template <typename Value>
QList<const Value*> inRowOrder(const QList<Value>& values, const TemplateGroup* group) {
    QList<const Value*> ordered;
    QList<bool> used(values.size(), false);
    if (group != nullptr) {
        for (const int row : group->selection) {
            if (!group->labels.isValidIndex(row)) {
                continue;
            }
            const QString& label = group->labels.at(row);
            for (qsizetype i = 0; i < values.size(); ++i) {
                if (!used[i] && values[i].label == label) {
                    used[i] = true;
                    ordered.append(&values[i]);
                }
            }
        }
    }
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (!used[i]) {
            ordered.append(&values[i]);
        }
    }
    return ordered;
}

// The text after the last backslash of a device path.
QString fileName(const QString& path) {
    return path.mid(path.lastIndexOf(QLatin1Char('\\')) + 1);
}

int iconOf(int type) {
    switch (type) {
        case kGroupPhone:
            return cardicon::kPhone;
        case kGroupEMail:
            return cardicon::kEmail;
        case kGroupWeb:
            return cardicon::kWeb;
        case kGroupLink:
            return cardicon::kFile;
        default:
            return 0;
    }
}

// Builds the lines group by group.
class LineMaker {
public:
    LineMaker(const CardContext& context, const ContactTemplate& contactTemplate,
              const ContactRecord& contact)
        : m_context(context),
          m_template(contactTemplate),
          m_contact(contact),
          m_values(ContactValueMap::fromContact(contact)) {}

    QList<CardLine> lines() {
        for (int type = kGroupPhone; type < kGroupNotes; ++type) {
            addGroup(type);
        }
        return m_lines;
    }

private:
    void addGroup(int type) {
        const TemplateGroup* group = m_template.getGroup(type);
        switch (type) {
            case kGroupMsg:
                for (const LabelledMessenger* value : inRowOrder(m_values.messengers, group)) {
                    addMessenger(*value);
                }
                return;
            case kGroupOffice:
                add(groupLabel(group), RichMarkup().text(m_contact.field(ContactField::Office)),
                    type);
                return;
            case kGroupAddr:
                for (const LabelledAddress* value : inRowOrder(m_values.addresses, group)) {
                    const QString line =
                        m_context.addressFormats->oneLine(value->parts, value->format);
                    add(value->label,
                        RichMarkup().text(line.trimmed().isEmpty() ? QString() : line), type);
                }
                return;
            case kGroupCategory:
                addCategories(groupLabel(group));
                return;
            case kGroupDate:
                for (const LabelledDate* value : inRowOrder(m_values.dates, group)) {
                    addDate(*value);
                }
                return;
            default:
                if (const QList<LabelledText>* values = m_values.textList(type)) {
                    for (const LabelledText* value : inRowOrder(*values, group)) {
                        addText(*value, type);
                    }
                }
                return;
        }
    }

    void addText(const LabelledText& value, int type) {
        RichMarkup text;
        QString extra;
        switch (type) {
            case kGroupPhone:
                text.text(displayPhoneNumber(value.text, m_context.phoneTemplates));
                break;
            case kGroupEMail:
                text.wrapped(QStringLiteral("<#004080><I>"), value.text,
                             QStringLiteral("</I></#>"));
                break;
            case kGroupWeb:
                text.wrapped(QStringLiteral("<I>"), value.text, QStringLiteral("</I>"));
                break;
            case kGroupLink:
                text.text(fileName(value.text));
                extra = value.text;
                break;
            default:
                text.text(value.text);
                break;
        }
        if (!value.text.isEmpty()) {
            m_lines.append(CardLine{value.label, text, extra, type, iconOf(type)});
        }
    }

    void addMessenger(const LabelledMessenger& value) {
        if (value.account.isEmpty()) {
            return;
        }
        RichMarkup text;
        text.text(value.account);
        if (!value.type.isEmpty()) {
            text.wrapped(QStringLiteral(" ") + kBold, value.type, kBoldEnd);
        }
        add(value.label, text, kGroupMsg);
    }

    void addDate(const LabelledDate& value) {
        const QDate date = value.date != 0 ? dateFromFileTime(value.date) : QDate();
        if (date.isValid()) {
            const Locale& locale = *m_context.locale;
            add(value.label, RichMarkup().text(locale.formatDate(locale.shortDatePicture(), date)),
                kGroupDate);
        }
    }

    void addCategories(const QString& label) {
        if (!m_context.categoryNames) {
            return;
        }
        const QStringList names = m_context.categoryNames(m_contact.categoryMask);
        if (!names.isEmpty()) {
            add(label, RichMarkup().text(names.join(QStringLiteral(", "))), kGroupCategory);
        }
    }

    void add(const QString& label, const RichMarkup& text, int type) {
        if (!text.isEmpty()) {
            m_lines.append(CardLine{label, text, QString(), type, iconOf(type)});
        }
    }

    static QString groupLabel(const TemplateGroup* group) {
        return group != nullptr && group->labels.size() > 0 ? fullLabel(group->labels.at(0))
                                                            : QString();
    }

    const CardContext& m_context;
    const ContactTemplate& m_template;
    const ContactRecord& m_contact;
    ContactValueMap m_values;
    QList<CardLine> m_lines;
};

}  // namespace

RichMarkup ContactCardBuilder::header(const ContactRecord& contact) {
    QStringList parts;
    for (const ContactField field :
         {ContactField::Title, ContactField::FirstName, ContactField::MiddleName,
          ContactField::LastName, ContactField::Suffix}) {
        if (!contact.field(field).isEmpty()) {
            parts.append(contact.field(field));
        }
    }
    const QString name = parts.join(QLatin1Char(' '));
    const QString& jobTitle = contact.field(ContactField::JobTitle);
    const QString& company = contact.field(ContactField::Company);
    const QString& department = contact.field(ContactField::Department);
    RichMarkup header;
    bool any = false;
    if (!name.isEmpty()) {
        header.wrapped(kBold, name, kBoldEnd);
        any = true;
    }
    if (!jobTitle.isEmpty()) {
        header.tags(any ? QStringLiteral(" ") : QString()).text(jobTitle);
        any = true;
    }
    if (!company.isEmpty()) {
        header.tags(any ? QStringLiteral("\r\n") : QString());
        if (name.isEmpty()) {
            header.wrapped(kBold, company, kBoldEnd);
        } else {
            header.text(company);
        }
        any = true;
    }
    if (!department.isEmpty()) {
        header.tags(any ? QStringLiteral(" ") : QString()).text(department);
    }
    return header;
}

ContactCard ContactCardBuilder::build(const ContactRecord& contact,
                                      const ContactTemplate& contactTemplate) const {
    ContactCard card;
    card.header = header(contact);
    card.picture = contact.picture;
    card.companyIcon = !contact.field(ContactField::Company).isEmpty() &&
                       contact.field(ContactField::Title).isEmpty() &&
                       contact.field(ContactField::FirstName).isEmpty() &&
                       contact.field(ContactField::MiddleName).isEmpty() &&
                       contact.field(ContactField::LastName).isEmpty() &&
                       contact.field(ContactField::Suffix).isEmpty();
    card.lines = LineMaker(m_context, contactTemplate, contact).lines();
    const QString note = noteToText(contact.userNote, *m_context.locale);
    if (!note.trimmed().isEmpty()) {
        card.note = note;
    }
    if (ink::hasInkSignature(contact.userNote)) {
        NoteDocument document = readNoteDocument(contact.userNote, *m_context.locale);
        const bool text = std::any_of(
            document.paragraphs.cbegin(), document.paragraphs.cend(),
            [](const NoteParagraph& paragraph) { return !paragraph.text().trimmed().isEmpty(); });
        if (text || !document.strokes.isEmpty()) {
            document.base.clear();
            card.noteDocument = std::move(document);
        }
    }
    return card;
}

}  // namespace kontavo
