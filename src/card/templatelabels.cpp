#include "card/templatelabels.h"

namespace kontavo {

namespace {

qsizetype shortFormMark(const QString& label) {
    return label.indexOf(u'@', 1);
}

}  // namespace

int TemplateLabels::findOrAppend(const QString& text) {
    const int found = indexOf(text);
    if (found >= 0) {
        return found;
    }
    m_texts.append(text);
    return size() - 1;
}

QStringList labelTexts(const TemplateLabels& labels, const QList<int>& rows) {
    QStringList texts;
    for (const int index : rows) {
        if (labels.isValidIndex(index)) {
            texts.append(labels.at(index));
        }
    }
    return texts;
}

QString fullLabel(const QString& label) {
    const qsizetype mark = shortFormMark(label);
    return mark < 0 ? label : label.left(mark);
}

QString shortLabel(const QString& label) {
    const qsizetype mark = shortFormMark(label);
    return mark < 0 ? label : label.mid(mark + 1);
}

}  // namespace kontavo
