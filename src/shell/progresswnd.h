#pragma once

#include <QFrame>

class QLabel;
class QProgressBar;

namespace kontavo {

// The progress window of long index work, drawn as a dialog over the main
// window's client area: a frame, a caption bar with the title, a line of
// text (left out while it is empty or says the same as the title) and a
// bar. It starts with range 1..20 and step 1; step() advances by the step
// and never past the end. UI thread only; a Qt child of the main window.
class ProgressWnd final : public QFrame {
    Q_OBJECT
public:
    ProgressWnd(const QString& title, QWidget* parent);

    void setRange(int minimum, int maximum);
    void setStep(int step);
    void setText(const QString& text);
    void setTitle(const QString& title);
    void step();

    int position() const;
    int minimum() const;
    int maximum() const;
    int stepSize() const { return m_step; }
    QString title() const;
    QString text() const;
    // Whether the line of text is shown (it says something the title does not).
    bool showsText() const;

    // Where a window `height` high goes in a parent of `parentSize`: 12
    // pixels (scaled) from the sides, a third of the way down.
    static QRect placement(QSize parentSize, int height);

private:
    void fitToParent();

    QLabel* m_caption;
    QLabel* m_text;
    QProgressBar* m_bar;
    int m_step = 1;
};

}  // namespace kontavo
