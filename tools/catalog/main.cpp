// ziffron-catalog: lists the catalog's task numbers, shows one generated
// task with its answer rows as JSON, or writes a worksheet.
#include <iostream>
#include <string>
#include <vector>

#include "catalog_tool.h"
#include "worksheet.h"

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    return runCatalogTool(args, std::cout, std::cerr, writeWorksheet);
}
