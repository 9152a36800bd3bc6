// ziffron-catalog: lists the catalog's task numbers, shows one generated
// task with its answer rows as JSON, or writes a worksheet.
#include <iostream>
#include <string>
#include <vector>

#include "catalog_tool.h"
#ifdef ZIFFRON_WORKSHEETS
#include "worksheet.h"
#endif

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

int main(int argc, char** argv)
{
#ifdef _WIN32
    // The JSON is the same bytes as on Linux: no CR before each LF.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    std::vector<std::string> args(argv + 1, argv + argc);
#ifdef ZIFFRON_WORKSHEETS
    return runCatalogTool(args, std::cout, std::cerr, writeWorksheet);
#else
    // Built without cairo: --worksheet says so and everything else works.
    return runCatalogTool(args, std::cout, std::cerr);
#endif
}
