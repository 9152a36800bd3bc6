// ziffron-icongen: draws the desktop icon from the logo's shape, as SVG and
// as PNGs of the sizes a desktop asks for, with cairo.
// Usage: ziffron-icongen OUTDIR  (writes icon.svg and icon-N.png)
#include "aotoolkit.h"
#include "cairo_fonts.h"
#include "logo_shape.h"

#include <cairo-svg.h>
#include <cairo.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kPngSizes[] = {48, 64, 128, 256};
constexpr double kSvgSize = 256;

cairo_status_t collect(void* closure, const unsigned char* data, unsigned int length)
{
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

void setColour(cairo_t* cr, int rgb)
{
    cairo_set_source_rgb(cr, ((rgb >> 16) & 255) / 255.0, ((rgb >> 8) & 255) / 255.0, (rgb & 255) / 255.0);
}

void roundedSquare(cairo_t* cr, double x, double y, double size, double radius)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + size - radius, y + radius, radius, -kPi / 2, 0);
    cairo_arc(cr, x + size - radius, y + size - radius, radius, 0, kPi / 2);
    cairo_arc(cr, x + radius, y + size - radius, radius, kPi / 2, kPi);
    cairo_arc(cr, x + radius, y + radius, radius, kPi, 3 * kPi / 2);
    cairo_close_path(cr);
}

// The logo fitted into a size x size square: the gradient fills a rounded
// square, spiral and caption keep the logo's proportions.
void drawIcon(cairo_t* cr, double size)
{
    const double k = size / logoshape::kHeight;
    const double left = (size - logoshape::kWidth * k) / 2;

    roundedSquare(cr, 0, 0, size, size * 0.14);
    cairo_pattern_t* gradient = cairo_pattern_create_linear(0, 0, 0, size);
    const logoshape::Rgb top = logoshape::gradientTop(logoshape::kHue);
    const logoshape::Rgb bottom = logoshape::gradientBottom(logoshape::kHue);
    cairo_pattern_add_color_stop_rgb(gradient, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(gradient, 1, bottom.r, bottom.g, bottom.b);
    cairo_set_source(cr, gradient);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(gradient);
    cairo_clip(cr);

    // Small icons get a thicker line than the scaled logo's, so it stays visible.
    cairo_set_line_width(cr, std::max(logoshape::kLineWidth * k, size / 40));
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    setColour(cr, logoshape::kInk);
    for (const logoshape::QuarterArc& arc : logoshape::goldenSpiral()) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, left + arc.cx * k, arc.cy * k, arc.r * k, arc.start, arc.start + kPi / 2);
    }
    cairo_stroke(cr);

    const char* caption = "58";
    cairo_select_font_face(cr, "Liberation Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, 30 * k);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, caption, &ext);
    const double boxW = ext.width + 14 * k, boxH = 36 * k, boxY = 118 * k;
    cairo_rectangle(cr, (size - boxW) / 2, boxY, boxW, boxH);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_fill(cr);
    setColour(cr, logoshape::kCaptionInk);
    cairo_move_to(cr, (size - ext.width) / 2 - ext.x_bearing, boxY + (boxH - ext.height) / 2 - ext.y_bearing);
    cairo_show_text(cr, caption);
}

bool write(const std::string& path, const std::string& bytes)
{
    std::string err;
    if (aofile_replace(path, bytes, err)) return true;
    std::fprintf(stderr, "ziffron-icongen: %s: %s\n", path.c_str(), err.c_str());
    return false;
}

bool svgIcon(const std::string& path)
{
    std::string bytes;
    cairo_surface_t* surface = cairo_svg_surface_create_for_stream(collect, &bytes, kSvgSize, kSvgSize);
    cairo_svg_surface_set_document_unit(surface, CAIRO_SVG_UNIT_PX);
    cairo_t* cr = cairo_create(surface);
    drawIcon(cr, kSvgSize);
    cairo_destroy(cr);
    cairo_surface_finish(surface);
    const bool ok = cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    return ok && write(path, bytes);
}

bool pngIcon(const std::string& path, int size)
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
    cairo_t* cr = cairo_create(surface);
    drawIcon(cr, size);
    cairo_destroy(cr);
    std::string bytes;
    const bool ok = cairo_surface_write_to_png_stream(surface, collect, &bytes) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    return ok && write(path, bytes);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: ziffron-icongen OUTDIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    std::string err;
    if (!aopath_makedirs(dir, err)) {
        std::fprintf(stderr, "ziffron-icongen: %s: %s\n", dir.c_str(), err.c_str());
        return 1;
    }
    prepareCairoFonts("Liberation Sans");
    bool ok = svgIcon(dir + "/icon.svg");
    for (int size : kPngSizes) ok = pngIcon(dir + "/icon-" + std::to_string(size) + ".png", size) && ok;
    releaseCairoCaches();
    return ok ? 0 : 1;
}
