#pragma once

#include <cstdint>

#include "store/record/proptag.h"

namespace kontavo {

// Lets a long operation in progress (for example a re-index started from the
// menu, or another program that is master of the shared index) refuse
// notification handling and edits. Optional: without a gate everything may
// proceed. UI thread only.
class OperationGate {
public:
    virtual ~OperationGate() = default;

    // Whether an operation may run now. `kind` is the change kind (1 created,
    // 2 deleted, 3 changed) for notifications and 0 for edits; `parent` the
    // database Oid concerned (0 when not known).
    virtual bool mayProceed(int kind, Oid parent) = 0;
    virtual void begin() = 0;
    virtual void end() = 0;
};

}  // namespace kontavo
