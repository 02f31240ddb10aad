// Template names: any bytes must give a name without a crash, and the name holds no
// unpaired surrogate (it becomes a menu caption).
#include "reports/templatename.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    const QString name = reports::templateNameOf(bytes);
    if (!name.isValidUtf16())
        abort();
    reports::decodeXmlReferences(QString::fromUtf8(bytes));
    return 0;
}
