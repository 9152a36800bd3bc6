// libFuzzer entry: the frame count file obj-anz.txt of a video folder.
#include "pictures.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const int count = parseFrameCount(reinterpret_cast<const char*>(data), size);
    // What the player would keep: never more than the cap.
    const int kept = count < 1 ? 0 : (count > kMaxSequenceFrames ? kMaxSequenceFrames : count);
    if (kept < 0 || kept > kMaxSequenceFrames) __builtin_trap();
    return 0;
}
