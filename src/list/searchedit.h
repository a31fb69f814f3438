#pragma once

#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>

#include "list/busyanimation.h"
#include "list/listkey.h"
#include "list/searcheditstate.h"
#include "platform/screen.h"

class QKeyEvent;
class QLineEdit;

namespace kontavo {

class SearchLineEdit;

// The search field ("SEARCH.EDIT") above the list: an edit control with a
// clear button at its right edge. Text mode shows what the user types in the
// standard font; group mode shows the picked letter groups ("A-D-A") in bold
// blue. Without text and focus it shows the placeholder "Search" in grey.
// The owner keeps the picked groups and the last searched text; the field
// reports taps, text changes, Up/Down, and Backspace in group mode. UI thread.
class SearchEdit : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* kWindowClass = "SEARCH.EDIT";
    static constexpr unsigned kGroupTextColor = 0x0040FF;
    static constexpr unsigned kGrayTextColor = 0x808080;
    static constexpr unsigned kFrameColor = 0x7F7F7F;
    static constexpr int kPlaceholderString = 41100;
    static constexpr int kGlyphIcon = 200;
    static constexpr int kGlyphIconHighRes = 301;
    static constexpr int kBusyIcon = 251;         // 251-254
    static constexpr int kBusyIconHighRes = 303;  // 303-306

    explicit SearchEdit(const Screen& screen = Screen::current(), QWidget* parent = nullptr);
    ~SearchEdit() override;

    void setMode(SearchMode mode);
    SearchMode mode() const { return m_mode; }
    // Replaces the text without reporting it as typing; the caret goes to the end.
    void setGroupText(const QString& text);
    // Empties the field without reporting it and returns to text mode.
    void clear();
    // A key typed in the list, applied as if it had been typed in the field.
    void typeKey(const ListKey& key);

    QString text() const;
    bool hasText() const { return m_hasText; }
    QLineEdit* lineEdit() const;
    // The clear button (also where the busy animation runs), in field coordinates.
    QRect clearButtonRect() const;

    // The busy animation of a long refill: the frame advances at most every
    // 250 ms, on `busyStep` (a refill's progress) and on its own timer while
    // the event loop runs.
    void busyStart();
    void busyStep();
    void busyEnd();
    bool isBusy() const { return m_busy.isRunning(); }
    int busyFrame() const { return m_busy.frame(); }

    // How the field reaches the soft input panel (default: no panel).
    void setSipHooks(std::function<bool()> isUp, std::function<void(bool)> setUp);
    // The monotonic clock of the busy animation, in milliseconds.
    void setClock(std::function<qint64()> clock) { m_clock = std::move(clock); }

signals:
    // Pen down in the edit area (the owner raises the soft input panel).
    void tapped();
    // The user changed the text (typing, the clear button, leaving group mode).
    void textChanged(const QString& text);
    // Up or Down in the field (virtual key 38 or 40).
    void upDownPressed(int virtualKey);
    // Backspace in group mode, with the caret and the selected range.
    void groupBackspacePressed(int caret, int selectionStart, int selectionLength);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    friend class SearchLineEdit;
    bool fieldKey(QKeyEvent& event);
    void fieldTapped();
    void afterFieldTap();
    void fieldFocusChanged(bool focused);

    void editTextChanged(const QString& text);
    void leaveGroupMode();
    void setTextSilently(const QString& text);
    void showPlaceholder(bool show);
    void relayout();
    bool buttonShown() const { return m_hasText || m_busy.isRunning(); }

    Screen m_screen;
    SearchLineEdit* m_edit;
    SearchEditState m_state;
    SearchMode m_mode = SearchMode::Text;
    bool m_hasText = false;
    bool m_suppress = false;
    bool m_buttonPressed = false;
    QPixmap m_glyph;
    std::array<QPixmap, BusyAnimation::kFrames> m_busyFrames;
    BusyAnimation m_busy;
    QTimer* m_busyTimer;
    std::function<qint64()> m_clock;
    std::function<bool()> m_sipIsUp;
    std::function<void(bool)> m_setSipUp;
};

}  // namespace kontavo
