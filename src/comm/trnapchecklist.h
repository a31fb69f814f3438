#pragma once

#include <QAbstractScrollArea>

namespace kontavo {

// What the check list asks its owner about each row (the notifications the
// control sends with the row index: 1224 the text, 1225 whether the row is
// ticked, 1226 its ringtone state).
class CheckListSource {
public:
    virtual ~CheckListSource() = default;
    virtual int rowCount() const = 0;
    virtual QString rowText(int row) const = 0;
    virtual bool isRowTicked(int row) const = 0;
    // 0 no ringtone, 1 a ringtone whose sound file exists, -1 one whose file
    // is missing.
    virtual int ringtoneState(int row) const = 0;
};

// The check list control ("TrnApCheckList"): rows of one height, each with a
// check box and its text (column 0) and a ringtone mark at the right
// (column 1). It keeps the current row and the scroll position and asks its
// source for everything it draws; taps go to the owner as clicked() and
// doubleClicked() with the row and the column. Up and Down move the current
// row, Space reports a tap on its check box. Lengths scale with the device
// DPI. UI thread only; the source must outlive the control or be reset.
class TrnApCheckList : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr const char* kWindowClass = "TrnApCheckList";
    static constexpr int kCheckColumn = 0;
    static constexpr int kRingtoneColumn = 1;

    explicit TrnApCheckList(QWidget* parent = nullptr);

    void setSource(const CheckListSource* source);
    // The rows changed: reads the count again and redraws.
    void reload();

    int currentRow() const { return m_current; }
    // Makes `row` current (-1: none) and scrolls it into view.
    void setCurrentRow(int row);
    int rowHeight() const;
    // Viewport rectangles of a row, its check box and its ringtone mark.
    QRect rowRect(int row) const;
    QRect checkRect(int row) const;
    QRect ringtoneRect(int row) const;

signals:
    void clicked(int row, int column);
    void doubleClicked(int row, int column);
    void currentRowChanged(int row);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int rowCount() const;
    int rowAt(QPoint point) const;
    int columnAt(QPoint point) const;
    int ringtoneWidth() const;
    void syncScrollBar();
    void paintRow(QPainter& painter, int row);

    const CheckListSource* m_source = nullptr;
    int m_current = -1;
};

}  // namespace kontavo
