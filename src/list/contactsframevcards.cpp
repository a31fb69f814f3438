// The contacts frame's vCard import and export (Tools > File).
#include <QApplication>
#include <QFile>
#include <QFileInfo>

#include "card/framedpicture.h"
#include "comm/vcardexport.h"
#include "comm/vcardimport.h"
#include "list/contactsframe.h"
#include "list/contactstoresession.h"
#include "list/hostprogresssink.h"
#include "list/vcardfiledialog.h"
#include "platform/devicefs.h"
#include "platform/windowregistry.h"
#include "store/contacts/contactmanager.h"
#include "ui/framehost.h"
#include "ui/messageboxes.h"

namespace kontavo {

namespace {

const QString kImportCaption = QStringLiteral("Import vCards");
const QString kExportCaption = QStringLiteral("Export vCards");

void tell(FrameHost* host, const QString& text, const QString& caption,
          MessageBoxes::Icon icon = MessageBoxes::Icon::Information) {
    MessageBoxes::current().show(host != nullptr ? host->mainWindow() : nullptr, text, caption,
                                 icon);
}

// The documents folder of the device, on the host.
QString documentsFolder(const DeviceFs* device) {
    if (device == nullptr) {
        return QString();
    }
    return device->hostPath(DeviceFs::documentsFolder()).value_or(device->root());
}

}  // namespace

std::optional<QString> ContactsFrame::chooseVCardFile(VCardFileChoice::Mode mode) {
    if (m_services.chooseVCardFile) {
        return m_services.chooseVCardFile(mode);
    }
    const bool open = mode == VCardFileChoice::Mode::Open;
    VCardFileDialog dialog(VCardFileChoice(mode, documentsFolder(m_services.device)),
                           open ? kImportCaption : kExportCaption,
                           open ? QString() : QStringLiteral("Contacts.vcf"),
                           m_services.host != nullptr ? m_services.host->mainWindow() : this);
    dialog.exec();
    return dialog.chosenFile();
}

void ContactsFrame::importVCards(const QString& path) {
    if (m_services.store == nullptr || m_services.host == nullptr) {
        return;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        tell(m_services.host, QStringLiteral("Cannot read %1: %2").arg(path, file.errorString()),
             kImportCaption, MessageBoxes::Icon::Error);
        return;
    }
    const VCardReadResult read = readVCards(file.readAll());
    ContactManager& manager = m_services.store->manager();
    VCardImport::Report report;
    {
        // The other programs wait until the contacts are in.
        const WindowMessageHold hold;
        QApplication::setOverrideCursor(Qt::WaitCursor);
        HostProgressSink progress(*m_services.host, kImportCaption);
        report = VCardImport::run(read, manager.categories(), VCardImport::throughManager(manager),
                                  framedpicture::ofCard, &progress, QFileInfo(path).fileName());
        QApplication::restoreOverrideCursor();
    }
    // With the full-screen card open (a file handed over meanwhile) the list
    // takes the new contacts in from the store's notifications.
    if (!report.oids.isEmpty() && !m_busy) {
        m_list->refresh();
        m_list->selectContact(report.oids.front());
        selectionChanged();
    }
    tell(m_services.host, VCardImport::summary(report), kImportCaption);
}

// The selected contacts when several are selected, else every contact.
void ContactsFrame::exportVCards() {
    QList<Oid> oids = m_list->selectedOids();
    if (oids.size() < 2) {
        oids.clear();
        QList<ListEntry> entries;
        ContactManager& manager = m_services.store->manager();
        if (!manager.listContacts(CategoryFilter::any(), entries)) {
            tell(m_services.host, QStringLiteral("The contacts cannot be read."), kExportCaption,
                 MessageBoxes::Icon::Error);
            return;
        }
        for (const ListEntry& entry : entries) {
            oids.append(entry.oid);
        }
    }
    const std::optional<QString> path = chooseVCardFile(VCardFileChoice::Mode::Save);
    if (!path) {
        return;
    }
    ContactManager& manager = m_services.store->manager();
    VCardExport::Cards cards;
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        HostProgressSink progress(*m_services.host, kExportCaption);
        cards = VCardExport::collect(
            oids, [&manager](Oid oid) { return vcardContactOf(manager, oid); }, VCardVersion::V30,
            Locale::user(), &progress, QFileInfo(*path).fileName());
        QApplication::restoreOverrideCursor();
    }
    QString why;
    if (!VCardExport::save(*path, cards.bytes, &why)) {
        tell(m_services.host, QStringLiteral("Cannot write %1: %2").arg(*path, why), kExportCaption,
             MessageBoxes::Icon::Error);
        return;
    }
    QString text = QStringLiteral("%1 contacts exported to %2")
                       .arg(cards.exported)
                       .arg(QFileInfo(*path).fileName());
    if (!cards.unreadable.isEmpty()) {
        text += QStringLiteral(", %1 could not be read").arg(cards.unreadable.size());
    }
    tell(m_services.host, text, kExportCaption);
}

}  // namespace kontavo
