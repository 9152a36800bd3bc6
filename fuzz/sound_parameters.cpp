// libFuzzer entry: the sound parameter file, then a clip choice from what it gave.
#include "sounds.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    soundParameters = SoundParameters{};
    parseSoundParameters(reinterpret_cast<const char*>(data), size, soundParameters);
    drawMediaChoice(); // every count is a divisor here
    if (mediaChoice.rewardIndex < 1 || mediaChoice.rightPick < 0 || mediaChoice.wrongPick < 0) __builtin_trap();
    return 0;
}
