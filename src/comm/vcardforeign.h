#pragma once

#include <QString>
#include <QStringList>

namespace kontavo {

// What the address books of phones and mail programs write beyond vCard's
// own properties, and how this program reads it (docs/formats/vcard.md,
// "Cards of other programs"). Pure functions over upper-case property and
// type names; labels come from the string table. UI thread only (the
// string table).
namespace vcardforeign {

// The messenger type an instant-messaging property stands for ("X-AIM" ->
// "AOL", "X-JABBER" -> "Jabber"); empty when the property is not one.
QString messengerTypeOfProperty(const QString& name);
// The messenger type of an IMPP value's URI scheme ("xmpp" -> "Jabber"),
// else of an X-SERVICE-TYPE parameter ("GoogleTalk" -> "Google Talk"); the
// service or scheme as written when it is none this program knows; empty
// for the scheme "im" without a service.
QString messengerType(const QString& scheme, const QString& service);
// The URI scheme an IMPP value gets for a messenger type ("AOL" -> "aim");
// "im" for a type without a scheme of its own.
QString schemeOfMessengerType(const QString& type);

// The properties other programs keep an anniversary in.
bool isAnniversary(const QString& name);

// Whom a related-name property names.
enum class Relation { None, Spouse, Children, Assistant, Manager };
Relation relationOfProperty(const QString& name);
// The people label of a relation ("Spouse", "Children", "Assistant" from the
// string table, "Manager").
QString relationLabel(Relation relation);

// The label an Apple item label ("_$!<HomeFAX>!$_") stands for, as this
// program names it ("Home fax"); a custom label as it is.
QString itemLabel(const QString& abLabel);

// The phone label the TYPE values of a TEL give ("Mobile", "Home fax",
// "ISDN", a custom "X-Boat" type as "Boat"); empty when they name no more
// than a work phone. `typesAsWritten` keeps a custom label's case.
QString phoneLabelOfTypes(const QStringList& types, const QStringList& typesAsWritten);
// A custom label an exporter wrote as an "X-" type, among types that are
// not `known`; empty when there is none.
QString customTypeLabel(const QStringList& typesAsWritten, const QStringList& known);

// Properties that hold no value of the contact: versions, identifiers,
// time stamps, the writing program's display hints. They are left out.
bool isBookkeeping(const QString& name);

}  // namespace vcardforeign

}  // namespace kontavo
