// German speech synthesis for reading tasks aloud; the backends play the samples.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// True when the build has a speech engine (it may still lack a German voice).
bool speechBuiltIn();

// Synthesises UTF-8 text with a German voice into 16-bit mono samples at
// `rate` per second. False, with the reason, when there is no engine or no
// German voice; the engine is started on the first call.
// Starts the engine: false, with the reason in German, when there is no
// engine or no German voice to read with.
bool germanVoiceReady(std::string& err);

bool synthesizeGerman(const std::string& utf8, std::vector<int16_t>& samples, int& rate, std::string& err);

} // namespace platform
