#pragma once

#include <QWidget>

namespace kontavo {

class ContactForm;

// The surface the edit form draws on and takes taps from; it is as tall as
// the form's blocks and scrolls inside the form.
class FormCanvas final : public QWidget {
    Q_OBJECT
public:
    explicit FormCanvas(ContactForm& form);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    ContactForm& m_form;
};

}  // namespace kontavo
