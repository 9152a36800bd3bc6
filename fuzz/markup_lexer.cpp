// Layout markup after formatting: the lexer, then the word and tag rules on
// a small picture. No '%' conversion ever reaches printf on this path.
#include "aotoolkit.h"
#include "markup_lexer.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool fonts = [] {
        aofont_loadbuiltins();
        aofont_loadarial();
        return true;
    }();
    (void)fonts;
    std::string text(reinterpret_cast<const char*>(data), size);
    // A terminal's log file would be created on disk; leave those inputs out.
    std::string squeezed;
    for (char c : text)
        if (c != ' ' && c != '\t') squeezed += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (squeezed.find("logfile") != std::string::npos) return 0;

    for (const markup::Item& item : markup::split(text))
        if (item.tag) markup::splitwidget(markup::parsetag(item.text).value);

    aoPixmap picture;
    picture.width = 320;
    picture.height = 200;
    if (!aopxmap_allocate(&picture)) return 0;
    aographic_settarget(&picture);
    {
        aoGUIScript script;
        script.build(text);
        script.getvalue("a");
        script.printf("a", "%s", "x\n");
    }
    aographic_settarget(nullptr);
    return 0;
}
