#include "card/formservices.h"

#include "diag/resources.h"

namespace kontavo {

LinkedFileRequest LinkedFileRequest::forValue(const QString& current) {
    LinkedFileRequest request;
    request.title = loadString(kTitleString);
    request.filter = loadString(kFilterString);
    request.startFolder = QStringLiteral("\\My Documents");
    request.startName = current.left(kMaxStartName);
    request.mustExist = true;
    return request;
}

}  // namespace kontavo
