#pragma once

#include <QPointF>
#include <QRectF>
#include <QSize>

#include "store/record/picturebitmap.h"

namespace kontavo {

// The rules of the picture editor, apart from drawing: the scale ladder of
// the zoom bar, the starting zoom, dragging, rotating, the frame, and the
// picture computed on OK. Coordinates are the view's pixels; the square frame
// of F x F pixels sits in the middle of the view, and the image is drawn
// centred, shifted by the drag displacement.
class PictureEditor {
public:
    static constexpr int kZoomSteps = 99;   // zoom positions 0 .. 99
    static constexpr int kUnitZoom = 49;    // scale 1.0
    static constexpr int kKeepInView = 10;  // pixels of the image kept inside the view
    static constexpr int kMinResult = 10;   // a crop this small or smaller gives no picture

    // `frameSize` is F at the screen's resolution (72 pixels at 96 dpi).
    explicit PictureEditor(int frameSize);

    // The scale of zoom position `position`: (1/1.1)^(49 - p) below 49,
    // else 1 + 0.2 (p - 49).
    static double scaleForZoom(int position);
    struct Start {
        double scale = 1.0;
        int zoom = kUnitZoom;
    };
    // Where an image of that size starts: shrunk by steps of 1/1.1 (at most
    // 49) until both sides fit into the frame; the zoom position is 49 minus
    // the larger number of steps.
    static Start startFor(QSize size, int frameSize);

    void setViewSize(QSize size);
    QSize viewSize() const { return m_view; }
    int frameSize() const { return m_frame; }

    // The picture the editor opens with (may be null).
    void open(const Picture& picture);
    // A picture chosen with "Browse": it replaces the one shown.
    void replace(const Picture& picture);
    // "Clear".
    void clear();

    const Picture& picture() const { return m_picture; }
    bool hasPicture() const { return m_picture != nullptr; }
    int rotation() const { return m_rotation; }
    double scale() const { return m_scale; }
    int zoom() const { return m_zoom; }
    QPointF drag() const { return m_drag; }
    bool preview() const { return m_preview; }
    void setPreview(bool on) { m_preview = on; }

    // The zoom bar moved: the image point under the view's centre stays
    // there when the centre lies on the image.
    void setZoom(int position);
    // "1:1": scale exactly 1.0.
    void setOneToOne();
    // The pen moved the image by `delta`.
    void dragBy(QPointF delta);
    // "Rotate": a quarter turn clockwise around the image point under the
    // frame's centre (the image's own centre when the frame misses it).
    void rotate();

    // The image as shown (rotated), in view coordinates.
    QRectF imageRect() const;
    QRectF frameRect() const;
    // The image's size after rotation.
    QSize rotatedSize() const;

    // True when OK would hand back the picture the editor opened with: no
    // new file, no clearing, no rotation, the starting scale, and the whole
    // image inside the frame.
    bool unchanged() const;
    // The picture OK hands back: the opened one when unchanged(), else the
    // part under the frame rendered with bilinear interpolation at up to
    // twice the frame's resolution, or none when that part is 10 pixels or
    // less wide or high.
    Picture result() const;

private:
    void show(const Picture& picture);
    void applyScale(double scale);
    void keepInView();
    QPointF imageCentre() const;
    Picture render() const;

    int m_frame;
    QSize m_view;
    Picture m_opened;
    Picture m_picture;
    bool m_replaced = false;
    int m_rotation = 0;
    double m_scale = 1.0;
    double m_startScale = 1.0;
    int m_zoom = kUnitZoom;
    QPointF m_drag;
    bool m_preview = true;
};

}  // namespace kontavo
