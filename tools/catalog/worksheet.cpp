#include "worksheet.h"
#include "cairo_fonts.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include <algorithm>
#include <cstring>
#include <ctime>
#include <memory>

namespace {

// A4 in points, with the margins of an ordinary printed page.
constexpr double kPageWidth = 595.28;
constexpr double kPageHeight = 841.89;
constexpr double kMargin = 50;
constexpr double kTextWidth = kPageWidth - 2 * kMargin;
constexpr double kBottom = kPageHeight - kMargin;
// Pictures keep one scale where they fit: the 9-pixel font of the graphs'
// numbers comes out about 7 points tall, about 150 pixels per inch.
constexpr double kPictureScale = 1.25 * kTextWidth / kAreaWidth;

constexpr const char* kSans = "Liberation Sans";
constexpr const char* kMono = "Liberation Mono";

struct CairoDeleter {
    void operator()(cairo_t* cr) const { cairo_destroy(cr); }
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
using Context = std::unique_ptr<cairo_t, CairoDeleter>;
using Surface = std::unique_ptr<cairo_surface_t, CairoDeleter>;

cairo_status_t collect(void* closure, const unsigned char* data, unsigned int length)
{
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

std::string germanDate(const std::string& iso)
{
    return iso.substr(8, 2) + "." + iso.substr(5, 2) + "." + iso.substr(0, 4);
}

// The task text as lines: surrounding blank lines dropped, runs of blank
// lines kept as one.
std::vector<std::string> textLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        line.erase(std::remove(line.begin(), line.end(), '\r'), line.end());
        while (!line.empty() && line.back() == ' ') line.pop_back();
        const bool blank = line.find_first_not_of(' ') == std::string::npos;
        if (!blank || (!lines.empty() && !lines.back().empty())) lines.push_back(blank ? std::string() : line);
        start = end + 1;
    }
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
    return lines;
}

// The bounding box of what the task drew, with a small white margin.
struct Box {
    int x = 0, y = 0, w = 0, h = 0;
};

Box drawnBox(const aoPixmap& area)
{
    int x0 = area.width, y0 = area.height, x1 = -1, y1 = -1;
    const std::vector<uint32_t> white(area.width, 0xFFFFFF);
    for (int y = 0; y < area.height; ++y) {
        const uint32_t* row = area.row(y);
        if (std::memcmp(row, white.data(), white.size() * sizeof(uint32_t)) == 0) continue;
        for (int x = 0; x < area.width; ++x)
            if (row[x] != 0xFFFFFF) {
                x0 = std::min(x0, x), x1 = std::max(x1, x);
                y0 = std::min(y0, y), y1 = std::max(y1, y);
            }
    }
    if (x1 < 0) return {};
    const int m = 6;
    x0 = std::max(0, x0 - m), y0 = std::max(0, y0 - m);
    x1 = std::min(area.width - 1, x1 + m), y1 = std::min(area.height - 1, y1 + m);
    return {x0, y0, x1 - x0 + 1, y1 - y0 + 1};
}

class Sheet {
public:
    Sheet(cairo_t* cr, const WorksheetHeader& header) : cr_(cr), header_(header) {}

    void tasks(const std::vector<ToolTask>& tasks)
    {
        newPage(true);
        for (size_t i = 0; i < tasks.size(); ++i) task(static_cast<int>(i) + 1, tasks[i]);
        key(tasks);
        finishPage();
    }

private:
    cairo_t* cr_;
    const WorksheetHeader& header_;
    int page_ = 0;
    double y_ = 0;

    void font(const char* face, double size, bool bold = false)
    {
        cairo_select_font_face(cr_, face, CAIRO_FONT_SLANT_NORMAL, bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
        cairo_set_font_size(cr_, size);
    }
    double width(const std::string& text)
    {
        cairo_text_extents_t e;
        cairo_text_extents(cr_, text.c_str(), &e);
        return e.x_advance;
    }
    void show(double x, double baseline, const std::string& text, double grey = 0)
    {
        cairo_set_source_rgb(cr_, grey, grey, grey);
        cairo_move_to(cr_, x, baseline);
        cairo_show_text(cr_, text.c_str());
    }

    // Lines no wider than `room` in the current font, broken at blanks
    // (a word longer than a line is cut).
    std::vector<std::string> wrap(const std::string& line, double room)
    {
        std::vector<std::string> out;
        std::string rest = line;
        while (!rest.empty() && width(rest) > room) {
            size_t cut = rest.size();
            while (cut > 0 && width(rest.substr(0, cut)) > room) {
                const size_t blank = rest.rfind(' ', cut - 1);
                cut = blank == std::string::npos || blank == 0 ? cut - 1 : blank;
            }
            // Never split a UTF-8 sequence.
            while (cut > 1 && (static_cast<unsigned char>(rest[cut]) & 0xC0) == 0x80) --cut;
            cut = std::max<size_t>(cut, 1);
            out.push_back(rest.substr(0, cut));
            rest = rest.substr(cut);
            if (!rest.empty() && rest[0] == ' ') rest.erase(0, 1);
        }
        out.push_back(rest);
        return out;
    }

    void finishPage()
    {
        font(kSans, 9);
        const std::string label = "Seite " + std::to_string(page_);
        show((kPageWidth - width(label)) / 2, kPageHeight - kMargin / 2, label, 0.4);
        cairo_show_page(cr_);
    }

    void newPage(bool first)
    {
        if (!first) finishPage();
        ++page_;
        y_ = kMargin;
        font(kSans, 16, true);
        y_ += 16;
        show(kMargin, y_, first ? "Arbeitsblatt Mathematik" : "Arbeitsblatt Mathematik (Fortsetzung)");
        font(kSans, 11);
        y_ += 22;
        const std::string left = "Level " + std::to_string(header_.level) + "    Stufe " +
                                 std::to_string(header_.difficulty) + "    Datum: " + germanDate(header_.date);
        show(kMargin, y_, left);
        const std::string name = "Name:";
        const double nameX = kMargin + kTextWidth * 0.55;
        show(nameX, y_, name);
        cairo_set_line_width(cr_, 0.6);
        cairo_move_to(cr_, nameX + width(name) + 6, y_ + 2);
        cairo_line_to(cr_, kMargin + kTextWidth, y_ + 2);
        cairo_stroke(cr_);
        y_ += 10;
        cairo_set_line_width(cr_, 1);
        cairo_move_to(cr_, kMargin, y_);
        cairo_line_to(cr_, kMargin + kTextWidth, y_);
        cairo_stroke(cr_);
        y_ += 18;
    }

    // ---- one task

    static constexpr double kMonoSize = 10;
    static constexpr double kLine = 13;
    static constexpr double kSquareHeight = 22;
    static constexpr double kIndent = 24;

    std::vector<std::string> wrappedText(const ToolTask& t)
    {
        font(kMono, kMonoSize);
        std::vector<std::string> lines;
        for (const std::string& line : textLines(t.text))
            for (std::string& part : wrap(line, kTextWidth - kIndent)) lines.push_back(std::move(part));
        return lines;
    }

    double squaresHeight(const ToolTask& t) const
    {
        if (t.squares.empty()) return kSquareHeight + 8;
        double h = 0;
        for (const auto& row : t.squares) h += (row.caption.empty() ? 0 : kLine) + kSquareHeight + 8;
        return h;
    }

    void task(int number, const ToolTask& t)
    {
        const std::vector<std::string> lines = wrappedText(t);
        const Box box = t.drew ? drawnBox(t.area) : Box{};
        // Wide pictures are made narrower to fit beside the indent.
        double scale = box.w ? std::min(kPictureScale, (kTextWidth - kIndent) / box.w) : kPictureScale;
        const double room = kBottom - kMargin - 70; // a page below its header
        auto blockHeight = [&] {
            return lines.size() * kLine + (box.h ? box.h * scale + 8 : 0) + squaresHeight(t) + 18;
        };
        // A picture too tall for any page is made smaller rather than cut.
        if (blockHeight() > room && box.h) scale = std::max(0.1, (room - (blockHeight() - box.h * scale)) / box.h);
        if (y_ + blockHeight() > kBottom) newPage(false);

        font(kSans, 12, true);
        show(kMargin, y_ + kLine - 2, std::to_string(number) + ".");
        font(kMono, kMonoSize);
        for (const std::string& line : lines) {
            y_ += kLine;
            show(kMargin + kIndent, y_ - 2, line);
        }
        y_ += 6;
        if (box.h) {
            picture(t.area, box, kMargin + kIndent, y_, scale);
            y_ += box.h * scale + 8;
        }
        squares(t);
        y_ += 18;
    }

    void picture(const aoPixmap& area, const Box& box, double x, double y, double scale)
    {
        Surface image(cairo_image_surface_create(CAIRO_FORMAT_RGB24, box.w, box.h));
        cairo_surface_flush(image.get());
        unsigned char* data = cairo_image_surface_get_data(image.get());
        const int stride = cairo_image_surface_get_stride(image.get());
        for (int r = 0; r < box.h; ++r) {
            uint32_t* dst = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(r) * stride);
            const uint32_t* src = area.row(box.y + r) + box.x;
            for (int c = 0; c < box.w; ++c) dst[c] = src[c] & 0xFFFFFF;
        }
        cairo_surface_mark_dirty(image.get());
        cairo_save(cr_);
        cairo_translate(cr_, x, y);
        cairo_scale(cr_, scale, scale);
        cairo_set_source_surface(cr_, image.get(), 0, 0);
        // Crisp pixels as on screen, not a blur between them.
        cairo_pattern_set_filter(cairo_get_source(cr_), CAIRO_FILTER_NEAREST);
        cairo_rectangle(cr_, 0, 0, box.w, box.h);
        cairo_fill(cr_);
        cairo_restore(cr_);
        // A thin frame shows where the task area ends.
        cairo_set_source_rgb(cr_, 0.75, 0.75, 0.75);
        cairo_set_line_width(cr_, 0.5);
        cairo_rectangle(cr_, x, y, box.w * scale, box.h * scale);
        cairo_stroke(cr_);
    }

    // The answer space: the squares to tick, as the game offers them, or a
    // line to write on.
    void squares(const ToolTask& t)
    {
        const double x0 = kMargin + kIndent;
        font(kSans, 11);
        if (t.squares.empty()) {
            y_ += kSquareHeight;
            show(x0, y_ - 4, "Antwort:");
            cairo_set_source_rgb(cr_, 0, 0, 0);
            cairo_set_line_width(cr_, 0.6);
            cairo_move_to(cr_, x0 + width("Antwort:") + 6, y_ - 2);
            cairo_line_to(cr_, x0 + 260, y_ - 2);
            cairo_stroke(cr_);
            y_ += 8;
            return;
        }
        for (const auto& row : t.squares) {
            if (!row.caption.empty()) {
                y_ += kLine;
                show(x0, y_ - 2, row.caption + ":", 0.2);
            }
            double w = 46;
            for (const std::string& label : row.labels) w = std::max(w, width(label) + 16);
            double x = x0;
            for (const std::string& label : row.labels) {
                cairo_set_source_rgb(cr_, 0, 0, 0);
                cairo_set_line_width(cr_, 0.8);
                cairo_rectangle(cr_, x, y_ + 2, w, kSquareHeight - 4);
                cairo_stroke(cr_);
                show(x + (w - width(label)) / 2, y_ + kSquareHeight - 7, label);
                x += w + 12;
            }
            y_ += kSquareHeight + 8;
        }
    }

    // ---- the answer key on a page of its own

    void key(const std::vector<ToolTask>& tasks)
    {
        newPage(false);
        font(kSans, 14, true);
        y_ += 4;
        show(kMargin, y_, "Lösungen");
        y_ += 10;
        for (size_t i = 0; i < tasks.size(); ++i) {
            font(kSans, 11);
            const std::string head = std::to_string(i + 1) + ".";
            // "(4301)", appended: GCC 12 misreads "(" + string as an overlapping copy.
            std::string number = std::to_string(tasks[i].number);
            number.insert(0, 1, '(').push_back(')');
            const double keyX = kMargin + 70;
            const std::vector<std::string> lines = wrap(tasks[i].key, kTextWidth - 70);
            if (y_ + lines.size() * 16 + 4 > kBottom) {
                newPage(false);
                font(kSans, 11);
            }
            y_ += 16;
            show(kMargin, y_, head);
            show(kMargin + 20, y_, number, 0.45);
            for (size_t l = 0; l < lines.size(); ++l) {
                if (l) y_ += 14;
                show(keyX, y_, lines[l]);
            }
        }
    }
};

} // namespace

std::string todayIso()
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    return text;
}

bool renderWorksheet(const WorksheetHeader& header, const std::vector<ToolTask>& tasks, std::string& pdf,
                     std::string& error)
{
    pdf.clear();
    prepareCairoFonts(kSans);
    Surface surface(cairo_pdf_surface_create_for_stream(collect, &pdf, kPageWidth, kPageHeight));
    // Dated by the sheet, not by the clock: the same sheet gives the same bytes.
    const std::string stamp = header.date + "T00:00:00";
    const std::string title = "Arbeitsblatt Level " + std::to_string(header.level) + ", Stufe " +
                              std::to_string(header.difficulty);
    cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_CREATE_DATE, stamp.c_str());
    cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_TITLE, title.c_str());
    cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_CREATOR, "ziffron-catalog");
    {
        Context cr(cairo_create(surface.get()));
        Sheet(cr.get(), header).tasks(tasks);
        if (cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS) {
            error = cairo_status_to_string(cairo_status(cr.get()));
            return false;
        }
    }
    cairo_surface_finish(surface.get());
    const cairo_status_t status = cairo_surface_status(surface.get());
    surface.reset();
    releaseCairoCaches();
    if (status != CAIRO_STATUS_SUCCESS) {
        error = cairo_status_to_string(status);
        return false;
    }
    return true;
}

int writeWorksheet(const CatalogToolArgs& args, std::ostream& out, std::ostream& err)
{
    std::vector<ToolTask> tasks;
    std::string error;
    if (!worksheetTasks(args, tasks, error)) {
        err << "ziffron-catalog: " << error << "\n";
        return 2;
    }
    WorksheetHeader header{args.level, args.difficulty, args.date.empty() ? todayIso() : args.date};
    std::string pdf;
    if (!renderWorksheet(header, tasks, pdf, error)) {
        err << "ziffron-catalog: worksheet: " << error << "\n";
        return 1;
    }
    if (!aofile_replace(args.worksheet, pdf, error)) {
        err << "ziffron-catalog: " << args.worksheet << ": " << error << "\n";
        return 1;
    }
    out << args.worksheet << ": " << tasks.size() << " tasks\n";
    return 0;
}
