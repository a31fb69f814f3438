#pragma once

#include <QImage>
#include <QWidget>

namespace kontavo {

class PictureEditor;

// The picture editor's view: draws the editor's image (nearest-neighbour,
// turned and scaled as the editor says) with the frame, and moves the image
// as the pen drags it. The editor must outlive the view.
class PictureView final : public QWidget {
    Q_OBJECT
public:
    PictureView(PictureEditor& editor, QWidget* parent = nullptr);

    // The picture changed: its image is made again.
    void pictureChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    PictureEditor& m_editor;
    QImage m_image;
    QPointF m_lastPen;
};

}  // namespace kontavo
