#pragma once

#include <optional>

#include "card/filechoosermodel.h"
#include "store/pictures/imageload.h"
#include "ui/dialogbase.h"

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace kontavo {

class DeviceFs;
class PicturePreviewLoader;
class SettingsStore;
class Sound;

// The program's own file chooser, full-screen: a folder drop-down from
// "My Device", the file list, a filter drop-down and an information line;
// the picture chooser adds a preview decoded on a worker thread, the sound
// chooser plays the selected file once. It starts in the folder the settings
// remember ("LastPicPath" or "LastSoundPath") and stores the folder shown
// last there when it closes. OK ends it only with a file selected. UI thread
// only.
//
// The two uses, for other parts of the program:
//   FileChooser::choosePicture(parent, fs, settings)       -> device path or nullopt
//   FileChooser::chooseSound(parent, fs, settings, &sound) -> device path or nullopt
// nullopt means Cancel. A chosen path is a device path ("\My Documents\a.wav");
// DeviceFs::hostPath() gives the file.
class FileChooser final : public DialogBase {
    Q_OBJECT
public:
    enum class Kind { Picture, Sound };

    static constexpr int kTemplateId = 4500;

    // The picture chooser. Blocks until it closes.
    static std::optional<QString> choosePicture(QWidget* parent, const DeviceFs& fs,
                                                SettingsStore& settings);
    // The sound chooser; previews play through `sound` (stopped when the
    // chooser closes; null: no previews). Blocks until it closes.
    static std::optional<QString> chooseSound(QWidget* parent, const DeviceFs& fs,
                                              SettingsStore& settings, Sound* sound);

    // `sound` is used by the sound chooser only (may be null otherwise).
    FileChooser(Kind kind, const DeviceFs& fs, SettingsStore& settings, Sound* sound,
                QWidget* parent = nullptr);
    ~FileChooser() override;

    static QString caption(Kind kind);
    static QString filterText(Kind kind);

    const FileChooserModel& model() const { return m_model; }
    // The device path chosen with OK (empty before).
    const QString& chosen() const { return m_chosen; }
    // The number of the preview request the chooser waits for (0: none).
    int pendingPreview() const { return m_pending; }

public slots:
    void accept() override;
    void reject() override;

protected:
    bool onInitDialog() override;

private:
    void buildControls();
    void refresh();
    void onRowChanged(int row);
    void onActivated(int row);
    void onPreview(int request, const ImageLoad& load);
    void showPreview(const QImage& image);
    void remember();

    Kind m_kind;
    const DeviceFs& m_fs;
    SettingsStore& m_settings;
    Sound* m_sound;
    FileChooserModel m_model;
    QString m_chosen;
    QString m_playing;
    int m_pending = 0;
    std::unique_ptr<PicturePreviewLoader> m_loader;
    QComboBox* m_folders = nullptr;
    QListWidget* m_files = nullptr;
    QComboBox* m_filter = nullptr;
    QLabel* m_info = nullptr;
    QLabel* m_preview = nullptr;
    QPushButton* m_ok = nullptr;
};

}  // namespace kontavo
