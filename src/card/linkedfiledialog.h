#pragma once

#include <QString>
#include <optional>

#include "card/formservices.h"

class QWidget;

namespace kontavo {

class DeviceFs;

// The device path of host file `hostPath` under the device root `root`
// ("\My Documents\a.pdf"); nullopt for a file outside the root.
std::optional<QString> devicePathOf(const QString& root, const QString& hostPath);

// The open-file dialog of a link row on this platform: a file dialog with
// the request's title and filter, opened in its start folder with its start
// name, taking only existing files under the device root. The chosen file's
// device path, or nullopt (cancelled, or a file outside the device).
std::optional<QString> chooseLinkedFile(const DeviceFs& device, const LinkedFileRequest& request,
                                        QWidget* parent);

}  // namespace kontavo
