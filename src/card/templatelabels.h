#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace kontavo {

// A label list of a template group: the built-in labels from the string table
// first, then the custom labels the user added. The built-in count is fixed
// when the list is made.
class TemplateLabels {
public:
    TemplateLabels() = default;
    explicit TemplateLabels(const QStringList& builtIn)
        : m_texts(builtIn), m_builtInCount(int(builtIn.size())) {}

    const QStringList& texts() const { return m_texts; }
    int size() const { return int(m_texts.size()); }
    int builtInCount() const { return m_builtInCount; }
    // The labels from the built-in count on.
    QStringList customLabels() const { return m_texts.mid(m_builtInCount); }
    // Precondition: 0 <= index < size().
    const QString& at(int index) const { return m_texts[index]; }
    bool isValidIndex(int index) const { return index >= 0 && index < size(); }

    // The index of the label with exactly this text (case-sensitive), or -1.
    int indexOf(const QString& text) const { return int(m_texts.indexOf(text)); }
    // The index of the label with this text, appending it as a custom label
    // when there is none.
    int findOrAppend(const QString& text);
    // Appends a custom label as it is, even when the text is already present.
    void append(const QString& text) { m_texts.append(text); }
    // Keeps the built-in labels only.
    void dropCustom() { m_texts.resize(m_builtInCount); }

private:
    QStringList m_texts;
    int m_builtInCount = 0;
};

// The label texts of rows given as label indexes; indexes outside the list
// are left out.
QStringList labelTexts(const TemplateLabels& labels, const QList<int>& rows);

// A label may carry a short form after an "@" that is not its first
// character: "Middle@Mid." is "Middle" in full and "Mid." where room is short.
// A label without one is its own short form.
QString fullLabel(const QString& label);
QString shortLabel(const QString& label);

}  // namespace kontavo
