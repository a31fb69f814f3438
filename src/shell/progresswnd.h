#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;

namespace kontavo {

// The progress window of long index work, drawn over the main window's
// client area: a title, a line of text and a bar. It starts with range 1..20
// and step 1; step() advances by the step and never past the end. UI thread
// only; a Qt child of the main window.
class ProgressWnd final : public QWidget {
    Q_OBJECT
public:
    ProgressWnd(const QString& title, QWidget* parent);

    void setRange(int minimum, int maximum);
    void setStep(int step);
    void setText(const QString& text);
    void step();

    int position() const;
    int minimum() const;
    int maximum() const;
    int stepSize() const { return m_step; }
    QString title() const;
    QString text() const;

private:
    QLabel* m_title;
    QLabel* m_text;
    QProgressBar* m_bar;
    int m_step = 1;
};

}  // namespace kontavo
