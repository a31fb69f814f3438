// The contacts frame's edit window and template editor.
#include "card/addressformattable.h"
#include "card/contacteditdialog.h"
#include "diag/resources.h"
#include "card/contactform.h"
#include "card/filechooser.h"
#include "card/picturedialog.h"
#include "card/contacttemplatefile.h"
#include "card/linkedfiledialog.h"
#include "card/templateeditordialog.h"
#include "list/contactsframe.h"
#include "list/contactstoresession.h"
#include "platform/devicefs.h"
#include "platform/locale.h"
#include "store/contacts/categoriesdbmanager.h"
#include "store/contacts/contactmanager.h"
#include "ui/framehost.h"
#include "ui/messageboxes.h"

namespace kontavo {

FormServices ContactsFrame::formServices() {
    FormServices services;
    services.screen = m_services.screen;
    services.context.addressFormats = &AddressFormatTable::instance();
    services.context.locale = &Locale::user();
    ContactStoreSession* store = m_services.store;
    if (store != nullptr) {
        services.context.categoryNames = [store](const QByteArray& mask) {
            return store->manager().categories().namesOfMask(mask);
        };
        services.companyNames = [store] {
            return store->manager().companyNames().value_or(QStringList());
        };
        if (CategoryListRunner runner = m_services.chooseCategories) {
            services.chooseCategories = [this, store, runner](const QByteArray& mask) {
                CategoriesDBManager& categories = store->manager().categories();
                QWidget* parent = m_editDialog != nullptr ? static_cast<QWidget*>(m_editDialog)
                                                          : window();
                const std::optional<QList<Oid>> chosen = runner(
                    CategoryListDialog::Mode::Contact, categories.oidsOfMask(mask), parent);
                return chosen ? std::optional<QByteArray>(categories.maskOfOids(*chosen))
                              : std::nullopt;
            };
        }
    }
    if (const DeviceFs* device = m_services.device) {
        services.chooseFile = [device, this](const LinkedFileRequest& request) {
            return chooseLinkedFile(*device, request, window());
        };
        if (SettingsStore* settings = m_services.settings) {
            services.choosePicture = [this, device, settings](const PictureChoice& current) {
                return choosePictureFor(current, *device, *settings);
            };
            services.chooseSound = [this, device, settings](const QString&) {
                return FileChooser::chooseSound(editParent(), *device, *settings, nullptr);
            };
        }
    }
    return services;
}

QWidget* ContactsFrame::editParent() {
    return m_editDialog != nullptr ? static_cast<QWidget*>(m_editDialog) : window();
}

// The picture dialog over the name block's picture; its "Browse" is the
// picture chooser. The file name stays the contact's: saving names the file.
std::optional<PictureChoice> ContactsFrame::choosePictureFor(const PictureChoice& current,
                                                             const DeviceFs& device,
                                                             SettingsStore& settings) {
    QWidget* parent = editParent();
    PictureDialog dialog(
        current.picture,
        [&device, &settings, parent]() -> std::optional<QString> {
            const std::optional<QString> chosen = FileChooser::choosePicture(parent, device, settings);
            return chosen ? device.hostPath(*chosen) : std::nullopt;
        },
        parent);
    if (dialog.doModal() != QDialog::Accepted) {
        return std::nullopt;
    }
    return PictureChoice{dialog.result(), current.name};
}

// A new contact starts in the categories the list is filtered by.
void ContactsFrame::newContact(const QString& workPhone) {
    ContactRecord record;
    const QList<Oid> categories = m_list->newContactCategories();
    if (!categories.isEmpty()) {
        record.categoryMask = m_services.store->manager().categories().maskOfOids(categories);
    }
    record.setField(ContactField::WorkPhone, workPhone);
    openEditForm(record);
}

void ContactsFrame::editSelected() {
    const Oid oid = m_list->selectedContact();
    ContactRecord record;
    if (oid == 0 || !m_services.store->manager().readContact(oid, record)) {
        return;
    }
    openEditForm(record);
}

void ContactsFrame::openEditForm(const ContactRecord& record) {
    if (m_busy || (record.oid != 0 && record.oid == m_openOid)) {
        return;
    }
    QWidget* owner = m_services.host != nullptr ? m_services.host->mainWindow() : nullptr;
    auto* dialog = new ContactEditDialog(record, m_template, formServices(),
                                         owner != nullptr ? owner : window());
    dialog->setEditTemplate([this] { return editContactTemplate(); });
    if (m_services.store != nullptr) {
        dialog->setSaver([this](ContactRecord& edited) { return saveEdited(edited); });
    }
    dialog->setWindowModality(Qt::ApplicationModal);
    connect(dialog, &QDialog::finished, this, &ContactsFrame::editEnded);
    m_editDialog = dialog;
    m_busy = true;
    m_openOid = record.oid;
    if (m_services.host != nullptr) {
        m_services.host->setBusy(true);
    }
    dialog->createModeless();
}

// Writes the contact of the edit window. When the store takes nothing the
// user is told, and the window stays open with what was entered.
bool ContactsFrame::saveEdited(ContactRecord& record) {
    switch (m_services.store->manager().writeContact(record)) {
        case ContactManager::SaveOutcome::Saved:
        case ContactManager::SaveOutcome::WrittenNotIndexed:  // the index catches up
            return true;
        case ContactManager::SaveOutcome::NotWritten:
            break;
    }
    MessageBoxes::current().show(
        editParent(),
        QStringLiteral("The contact could not be saved. What you entered is still in the form: "
                       "tap OK to try again, or cancel to discard it."),
        loadString(ContactEditDialog::kCaptionString), MessageBoxes::Icon::Error);
    return false;
}

// OK with changes has written the contact: the list is refilled and the
// contact selected, first among the recently used ones.
void ContactsFrame::editEnded(int result) {
    ContactEditDialog* dialog = m_editDialog;
    m_editDialog = nullptr;
    m_busy = false;
    m_openOid = 0;
    if (m_services.host != nullptr) {
        m_services.host->setBusy(false);
    }
    if (dialog == nullptr) {
        return;
    }
    dialog->deleteLater();
    const Oid oid = dialog->editedContact().oid;
    if (result == QDialog::Accepted && dialog->isChanged() && oid != 0) {
        m_list->refresh();
        m_list->selectContact(oid);
        m_list->addRecent(oid);
        selectionChanged();
        contactChanged(oid);
    }
    m_list->view()->activateWindow();
    m_list->view()->setFocus();
}

bool ContactsFrame::editContactTemplate() {
    QWidget* owner = m_services.host != nullptr ? m_services.host->mainWindow() : nullptr;
    TemplateEditorDialog dialog(m_template, formServices(), owner != nullptr ? owner : window());
    if (dialog.doModal() != QDialog::Accepted) {
        return false;
    }
    m_template.copyFrom(dialog.edited());
    if (m_services.device != nullptr && m_services.settings != nullptr) {
        saveContactTemplate(m_template, *m_services.device, *m_services.settings);
    }
    rebuildCard(true);
    return true;
}

}  // namespace kontavo
