#include "card/pictureeditor.h"

#include <algorithm>
#include <cmath>

#include "card/picturerender.h"

namespace kontavo {

namespace {

constexpr double kStep = 1.0 / 1.1;
constexpr int kMaxSteps = 49;
// The result is rendered at most at this many pixels a side of the frame
// (twice the frame at 96 dpi).
constexpr double kMaxResultSide = 144.0;

// Steps of 1/1.1 until `side` fits into `frame`, and the scale reached.
std::pair<int, double> stepsToFit(int side, int frame) {
    double scale = 1.0;
    int steps = 0;
    while (side * scale > frame && steps < kMaxSteps) {
        scale *= kStep;
        ++steps;
    }
    return {steps, scale};
}

}  // namespace

PictureEditor::PictureEditor(int frameSize)
    : m_frame(frameSize), m_view(frameSize * 3, frameSize * 3) {}

double PictureEditor::scaleForZoom(int position) {
    position = std::clamp(position, 0, kZoomSteps);
    if (position < kUnitZoom) {
        return std::pow(kStep, kUnitZoom - position);
    }
    return 1.0 + 0.2 * (position - kUnitZoom);
}

PictureEditor::Start PictureEditor::startFor(QSize size, int frameSize) {
    if (size.width() <= frameSize && size.height() <= frameSize) {
        return {};
    }
    const auto [wideSteps, wideScale] = stepsToFit(size.width(), frameSize);
    const auto [highSteps, highScale] = stepsToFit(size.height(), frameSize);
    return {std::min(wideScale, highScale), kUnitZoom - std::max(wideSteps, highSteps)};
}

void PictureEditor::setViewSize(QSize size) {
    m_view = size;
    keepInView();
}

void PictureEditor::open(const Picture& picture) {
    m_opened = picture;
    m_replaced = false;
    m_preview = true;
    show(picture);
}

void PictureEditor::replace(const Picture& picture) {
    m_replaced = true;
    m_preview = false;  // the whole new image with the frame's outline
    show(picture);
}

void PictureEditor::clear() {
    m_replaced = true;
    show(nullptr);
}

void PictureEditor::show(const Picture& picture) {
    m_picture = picture;
    m_rotation = 0;
    m_drag = QPointF();
    const Start start =
        picture ? startFor(QSize(picture->width(), picture->height()), m_frame) : Start{};
    m_scale = m_startScale = start.scale;
    m_zoom = start.zoom;
}

QSize PictureEditor::rotatedSize() const {
    return m_picture ? kontavo::rotatedSize(m_picture->width(), m_picture->height(), m_rotation)
                     : QSize();
}

QPointF PictureEditor::imageCentre() const {
    return QPointF(m_view.width() / 2.0, m_view.height() / 2.0) + m_drag;
}

QRectF PictureEditor::imageRect() const {
    const QSizeF size = QSizeF(rotatedSize()) * m_scale;
    const QPointF centre = imageCentre();
    return {centre.x() - size.width() / 2, centre.y() - size.height() / 2, size.width(),
            size.height()};
}

QRectF PictureEditor::frameRect() const {
    return {(m_view.width() - m_frame) / 2.0, (m_view.height() - m_frame) / 2.0, double(m_frame),
            double(m_frame)};
}

void PictureEditor::applyScale(double scale) {
    const QPointF centre(m_view.width() / 2.0, m_view.height() / 2.0);
    if (m_picture && imageRect().contains(centre) && m_scale > 0) {
        m_drag *= scale / m_scale;
    }
    m_scale = scale;
    keepInView();
}

void PictureEditor::setZoom(int position) {
    m_zoom = std::clamp(position, 0, kZoomSteps);
    applyScale(scaleForZoom(m_zoom));
}

void PictureEditor::setOneToOne() {
    m_zoom = kUnitZoom;
    applyScale(1.0);
}

void PictureEditor::dragBy(QPointF delta) {
    m_drag += delta;
    keepInView();
}

// At least kKeepInView pixels of the image (all of a smaller image) stay
// inside the view on each axis.
void PictureEditor::keepInView() {
    if (!m_picture) {
        return;
    }
    const QRectF image = imageRect();
    const double keepX = std::min<double>(kKeepInView, image.width());
    const double keepY = std::min<double>(kKeepInView, image.height());
    if (image.right() < keepX) {
        m_drag.rx() += keepX - image.right();
    } else if (image.left() > m_view.width() - keepX) {
        m_drag.rx() -= image.left() - (m_view.width() - keepX);
    }
    if (image.bottom() < keepY) {
        m_drag.ry() += keepY - image.bottom();
    } else if (image.top() > m_view.height() - keepY) {
        m_drag.ry() -= image.top() - (m_view.height() - keepY);
    }
}

void PictureEditor::rotate() {
    if (!m_picture) {
        return;
    }
    const QRectF image = imageRect();
    const QRectF frame = frameRect();
    const QSize before = rotatedSize();
    m_rotation = (m_rotation + 1) % 4;
    if (!image.intersects(frame)) {
        return;  // turned around its own centre: the displacement stays
    }
    const QPointF anchor = (frame.center() - image.topLeft()) / m_scale;
    const QPointF turned = turnedQuarter(anchor, before);
    const QSize after = rotatedSize();
    m_drag = QPointF(after.width() / 2.0 - turned.x(), after.height() / 2.0 - turned.y()) * m_scale;
    keepInView();
}

bool PictureEditor::unchanged() const {
    if (m_replaced) {
        return false;
    }
    if (!m_picture) {
        return true;
    }
    return m_rotation == 0 && m_scale == m_startScale &&
           frameRect().adjusted(-1e-9, -1e-9, 1e-9, 1e-9).contains(imageRect());
}

Picture PictureEditor::result() const {
    if (unchanged()) {
        return m_opened;
    }
    return m_picture ? render() : nullptr;
}

Picture PictureEditor::render() const {
    const double factor = m_scale < 1.0 ? std::min(1.0 / m_scale, kMaxResultSide / m_frame) : 1.0;
    const QRectF frame(frameRect().topLeft() * factor, frameRect().size() * factor);
    const QRectF image(imageRect().topLeft() * factor, imageRect().size() * factor);
    const QRectF under = frame.intersected(image);
    if (under.width() <= kMinResult || under.height() <= kMinResult) {
        return nullptr;
    }
    const QPoint topLeft(int(std::lround(under.left())), int(std::lround(under.top())));
    const QPoint end(int(std::lround(under.right())), int(std::lround(under.bottom())));
    const QRect crop(topLeft, QSize(end.x() - topLeft.x(), end.y() - topLeft.y()));
    return renderBilinear({m_picture.get(), m_rotation, image.topLeft(), m_scale * factor}, crop);
}

}  // namespace kontavo
