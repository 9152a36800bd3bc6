// Speech through libespeak-ng, linked, in synchronous mode: the samples come
// back through a callback and are played by the backend with the clips.
#include "platform/speech.h"

#ifdef ZIFFRON_HAVE_ESPEAK
#include <espeak-ng/speak_lib.h>
#endif

namespace platform {

bool speechBuiltIn()
{
#ifdef ZIFFRON_HAVE_ESPEAK
    return true;
#else
    return false;
#endif
}

#ifdef ZIFFRON_HAVE_ESPEAK

namespace {

struct Engine {
    bool started = false, ok = false;
    int rate = 0;
    std::string error;
};

Engine& engine()
{
    static Engine e;
    return e;
}

int collect(short* wav, int count, espeak_EVENT* events)
{
    auto* out = events ? static_cast<std::vector<int16_t>*>(events->user_data) : nullptr;
    if (out && wav && count > 0) out->insert(out->end(), wav, wav + count);
    return 0; // go on
}

} // namespace

bool germanVoiceReady(std::string& err)
{
    Engine& e = engine();
    if (!e.started) {
        e.started = true;
        // Without DONT_EXIT the library ends the process when its data is missing.
        int r = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_DONT_EXIT);
        if (r <= 0) {
            e.error = "die Sprachdaten von espeak-ng fehlen";
        } else if (espeak_SetVoiceByName("de") != EE_OK) {
            e.error = "espeak-ng hat keine deutsche Stimme";
        } else {
            espeak_SetSynthCallback(collect);
            e.rate = r;
            e.ok = true;
        }
    }
    if (!e.ok) err = e.error;
    return e.ok;
}

bool synthesizeGerman(const std::string& utf8, std::vector<int16_t>& samples, int& rate, std::string& err)
{
    Engine& e = engine();
    if (!germanVoiceReady(err)) return false;
    samples.clear();
    espeak_ERROR r = espeak_Synth(utf8.c_str(), utf8.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr,
                                  &samples);
    if (r != EE_OK) {
        err = "libespeak-ng could not read the text";
        return false;
    }
    rate = e.rate;
    return true;
}

#else

bool germanVoiceReady(std::string& err)
{
    err = "diese Ausgabe kann nicht vorlesen";
    return false;
}

bool synthesizeGerman(const std::string&, std::vector<int16_t>& samples, int& rate, std::string& err)
{
    samples.clear();
    rate = 0;
    err = "built without libespeak-ng";
    return false;
}

#endif

} // namespace platform
