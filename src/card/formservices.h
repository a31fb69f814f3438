#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "card/contacteditinpropmapper.h"
#include "platform/screen.h"
#include "store/record/picturebitmap.h"

namespace kontavo {

// The contact's picture as the name block holds it: the decoded picture and
// its file name in the contact (both empty: no picture).
struct PictureChoice {
    Picture picture;
    QString name;
};

// How a linked file is asked for: the platform's open-file dialog with this
// title, filter and start folder, the row's value as the start file name
// (at most kMaxStartName characters), and the file required to exist.
struct LinkedFileRequest {
    static constexpr int kMaxStartName = 260;
    static constexpr int kTitleString = 42405;   // "Select linked file"
    static constexpr int kFilterString = 42406;  // "All Files (*.*)"

    QString title;
    QString filter;
    QString startFolder;
    QString startName;
    bool mustExist = true;

    // The request for a row whose value is `current`.
    static LinkedFileRequest forValue(const QString& current);
};

// What the edit form is given. The pointers must outlive the form.
//
// The choosers are the seams other parts of the program plug into. While
// one is missing, tapping what would open it writes one line to the error
// log (once per run) and changes nothing.
struct FormServices {
    Screen screen = Screen::current();
    // The address formats, the locale (date formats) and the category names.
    FormContext context;
    // The distinct company names of all contacts, in company order.
    std::function<QStringList()> companyNames;
    // The picture dialog: the new choice, or nullopt when nothing changed.
    std::function<std::optional<PictureChoice>(const PictureChoice& current)> choosePicture;
    // The category list dialog in its choosing mode: the new mask, or
    // nullopt on Cancel.
    std::function<std::optional<QByteArray>(const QByteArray& mask)> chooseCategories;
    // The sound chooser ("Select a sound...") for a "Ringtone" row: the
    // chosen file's path, or nullopt.
    std::function<std::optional<QString>(const QString& current)> chooseSound;
    // The open-file dialog for other linked files: the chosen device path,
    // or nullopt.
    std::function<std::optional<QString>(const LinkedFileRequest& request)> chooseFile;
    // Today's year, for typed dates without one; 0: the clock's.
    int currentYear = 0;
};

}  // namespace kontavo
