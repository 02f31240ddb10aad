#pragma once
// Peak resident memory of this process, as the kernel counts it (VmHWM).

#include <QtGlobal>

namespace bench {

// In kilobytes; 0 when the figure cannot be read.
qint64 peakMemoryKb();
// Starts a new peak from the present resident size; false when the kernel refused.
bool resetPeakMemory();

} // namespace bench
