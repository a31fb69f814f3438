#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace kontavo {

// What the vCard file dialog offers and gives back: the vCard files of a
// folder (the device's documents folder), and the file a typed or picked
// name stands for. A plain value; reads the folder when asked.
class VCardFileChoice {
public:
    enum class Mode { Open, Save };

    // `folder` is a host folder.
    VCardFileChoice(Mode mode, QString folder) : m_mode(mode), m_folder(std::move(folder)) {}

    Mode mode() const { return m_mode; }
    const QString& folder() const { return m_folder; }
    // The names of the ".vcf" and ".vcard" files in the folder, sorted
    // without regard to case.
    QStringList files() const;
    // The file `text` names: an absolute path as it is, else a name in the
    // folder; saving adds ".vcf" to a name without an extension. nullopt for
    // an empty text, and when opening a file that does not exist.
    std::optional<QString> resolve(const QString& text) const;

private:
    Mode m_mode;
    QString m_folder;
};

}  // namespace kontavo
