#pragma once

#include <QByteArray>
#include <QStringList>

namespace kontavo {

class ContactTemplate;

// The text of "Contact template.tpl" (docs/formats/contact-template.md):
// sections "[Key]" followed by value lines, UTF-16LE, CR LF after each line.

// The file's bytes for a template, sections in their written order. Row
// label indexes outside a group's label list are left out.
QByteArray encodeContactTemplate(const ContactTemplate& tmpl);

// Fills a template from the file's lines: reset() first, then every key's
// section found from the start (the first header line beginning with the
// exact "[Key]" wins). Missing or unreadable values keep their state.
void decodeContactTemplate(const QStringList& lines, ContactTemplate& tmpl);

}  // namespace kontavo
