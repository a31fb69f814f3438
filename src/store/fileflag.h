#pragma once

#include <QString>

#include "store/storewriter.h"

namespace kontavo {

// A write-back completion that sets the settings file flag of `fileName`
// ("pim_index1.dat", ...) to 0 in the registry file `registryFile`. It opens
// its own registry connection each time, so it may run on the writer thread.
StoreWriter::Done clearFileFlagWhenWritten(const QString& registryFile, const QString& fileName);

}  // namespace kontavo
