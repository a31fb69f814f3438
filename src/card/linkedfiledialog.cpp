#include "card/linkedfiledialog.h"

#include <QDir>
#include <QFileDialog>

#include "platform/devicefs.h"

namespace kontavo {

std::optional<QString> devicePathOf(const QString& root, const QString& hostPath) {
    const QString relative =
        QDir(QDir(root).canonicalPath()).relativeFilePath(QFileInfo(hostPath).canonicalFilePath());
    if (relative.isEmpty() || relative.startsWith(QStringLiteral("..")) ||
        QDir::isAbsolutePath(relative)) {
        return std::nullopt;
    }
    return QLatin1Char('\\') + QString(relative).replace(QLatin1Char('/'), QLatin1Char('\\'));
}

std::optional<QString> chooseLinkedFile(const DeviceFs& device, const LinkedFileRequest& request,
                                        QWidget* parent) {
    device.createFolder(request.startFolder);
    QString start = device.hostPath(request.startFolder).value_or(device.root());
    const QString name = DeviceFs::fileName(request.startName);
    if (!name.isEmpty()) {
        start = QDir(start).filePath(name);
    }
    // "*.*" names every file on the handheld; here it is "*".
    QString filter = request.filter;
    filter.replace(QStringLiteral("*.*"), QStringLiteral("*"));
    QFileDialog dialog(parent, request.title, start, filter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!name.isEmpty()) {
        dialog.selectFile(name);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return devicePathOf(device.root(), dialog.selectedFiles().first());
}

}  // namespace kontavo
