#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace kontavo {

// The text rules of vCard values and lines. Pure functions, safe on any
// input and any thread.
namespace vcardtext {

// A text value for writing: "\" , ";" and "," get a backslash, every line
// end (CR LF, CR or LF) becomes "\n".
QString escape(const QString& text);
// The components of a structured value (N, ADR, ORG): each escaped, joined
// by ";".
QString joinComponents(const QStringList& components);

// Undoes escape(): "\n" and "\N" become CR LF (the line end of the
// handheld's text fields), "\\" "\;" "\," and "\:" their character; any
// other backslash stays. Bare line ends (as quoted-printable 2.1 values hold
// them) become CR LF as well.
QString unescape(const QString& text);
// Splits an escaped value at every `separator` without a backslash before it
// and unescapes each piece.
QStringList split(const QString& value, QChar separator);

// A parameter value (RFC 6868): "^" becomes "^^", a line end "^n", a double
// quote "^'". decodeParam() undoes it (a line end comes back as CR LF).
QString encodeParam(const QString& text);
QString decodeParam(const QString& text);

// Decodes quoted-printable bytes: "=XX" hex pairs, soft line breaks ("=" at
// a line end) removed; a malformed "=" sequence is kept as it is.
QByteArray decodeQuotedPrintable(const QByteArray& bytes);

// One content line, folded for writing: at most 75 octets a line, never
// inside a UTF-8 sequence, continuation lines starting with one blank, each
// line ended by CR LF.
QByteArray fold(const QByteArray& line);

}  // namespace vcardtext

}  // namespace kontavo
