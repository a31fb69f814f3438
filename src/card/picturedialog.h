#pragma once

#include <functional>
#include <optional>

#include "card/pictureeditor.h"
#include "ui/dialogbase.h"

class QCheckBox;
class QPushButton;
class QScrollBar;

namespace kontavo {

class PictureView;

// The picture editor dialog ("Picture"): the view with the frame, the zoom
// bar under it, and "OK", "Cancel", "Rotate", "Browse", "Clear", "Preview"
// and "1:1". It opens with a picture (or none: then it starts by browsing)
// and ends with Accepted and result(), the new picture or none, or with
// Rejected. The rules live in PictureEditor. UI thread only.
//
// Use: PictureDialog dialog(picture, browse, parent); if (dialog.doModal() ==
// QDialog::Accepted) picture = dialog.result();
class PictureDialog final : public DialogBase {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 4501;

    // Asks the user for an image file; its host path, or nullopt on Cancel.
    using Browse = std::function<std::optional<QString>()>;

    PictureDialog(const Picture& picture, Browse browse, QWidget* parent = nullptr);
    ~PictureDialog() override;

    const PictureEditor& editor() const { return m_editor; }
    // The picture OK handed back (null: no picture).
    const Picture& result() const { return m_result; }

    // "Browse": asks for a file and loads it under the wait cursor; a file
    // that cannot be loaded is reported and the picture stays as it was.
    void browse();

public slots:
    void accept() override;

protected:
    bool onInitDialog() override;

private:
    void buildControls();
    QPushButton* addButton(const QString& text, const QString& name);
    void syncControls();

    PictureEditor m_editor;
    Browse m_browse;
    Picture m_result;
    PictureView* m_view = nullptr;
    QScrollBar* m_zoom = nullptr;
    QCheckBox* m_preview = nullptr;
};

}  // namespace kontavo
