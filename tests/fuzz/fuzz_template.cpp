// Report template parser: any bytes must parse without a crash or hang, and a template that
// does not parse must say why.
#include "orvex/templateparser.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    const orvex::ParseResult result = orvex::parseTemplate(bytes);
    if (!result.ok && result.error.isEmpty())
        abort();
    return 0;
}
