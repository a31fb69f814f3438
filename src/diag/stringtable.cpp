#include "diag/stringtable.h"

#include <QList>

namespace kontavo {

namespace {

QString unescape(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != QLatin1Char('\\') || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const QChar next = text[++i];
        switch (next.unicode()) {
            case 't': out += QLatin1Char('\t'); break;
            case 'n': out += QLatin1Char('\n'); break;
            case 'r': out += QLatin1Char('\r'); break;
            case '\\': out += QLatin1Char('\\'); break;
            default: out += QLatin1Char('\\'); out += next; break;
        }
    }
    return out;
}

}  // namespace

StringTable StringTable::parse(const QByteArray& utf8) {
    StringTable table;
    const QList<QByteArray> lines = utf8.split('\n');
    for (QByteArray line : lines) {
        if (line.endsWith('\r')) {
            line.chop(1);
        }
        if (line.trimmed().isEmpty() || line.startsWith('#')) {
            continue;
        }
        const qsizetype tab = line.indexOf('\t');
        bool ok = false;
        const int id = tab > 0 ? line.left(tab).toInt(&ok) : 0;
        if (!ok) {
            ++table.m_badLines;
            continue;
        }
        if (!table.m_texts.contains(id)) {
            table.m_texts.insert(id, unescape(QString::fromUtf8(line.mid(tab + 1))));
        }
    }
    return table;
}

std::optional<QString> StringTable::find(int id) const {
    const auto it = m_texts.constFind(id);
    if (it == m_texts.constEnd()) {
        return std::nullopt;
    }
    return *it;
}

}  // namespace kontavo
