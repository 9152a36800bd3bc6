// Cairo finds faces through fontconfig, whose configuration parser loses a
// few bytes once per process; that is not ours to report. Asking for a face
// once under a paused leak checker moves that first lookup out of sight, and
// releasing cairo's caches when a drawing is done leaves nothing else behind.
#pragma once

#include <cairo.h>

#if defined(__SANITIZE_ADDRESS__)
#define ZIFFRON_LSAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZIFFRON_LSAN 1
#endif
#endif
#ifdef ZIFFRON_LSAN
#include <sanitizer/lsan_interface.h>
#endif

inline void prepareCairoFonts(const char* face)
{
    static bool done = false;
    if (done) return;
    done = true;
#ifdef ZIFFRON_LSAN
    __lsan_disable();
#endif
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
    cairo_t* cr = cairo_create(s);
    cairo_select_font_face(cr, face, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_text_extents_t e;
    cairo_text_extents(cr, "x", &e);
    cairo_destroy(cr);
    cairo_surface_destroy(s);
#ifdef ZIFFRON_LSAN
    __lsan_enable();
#endif
}

// Only when no cairo object is alive any more.
inline void releaseCairoCaches()
{
    cairo_debug_reset_static_data();
}
