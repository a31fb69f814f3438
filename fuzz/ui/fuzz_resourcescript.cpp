// Fuzz target: the menu and accelerator resource parsers on arbitrary bytes.
#include <cstddef>
#include <cstdint>

#include "ui/acceleratortable.h"
#include "ui/menuresource.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QString error;
    if (const auto menu = kontavo::MenuResource::parse(bytes, &error)) {
        for (int id : menu->commandIds()) {
            (void)menu->find(id);
        }
    }
    if (const auto table = kontavo::AcceleratorTable::parse(bytes, &error)) {
        (void)table->translate(Qt::Key_Q, Qt::ControlModifier);
    }
    return 0;
}
