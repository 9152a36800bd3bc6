// ziffron-catalog: lists the catalog's task numbers or shows one generated
// task with its answer rows as JSON.
#include <iostream>
#include <string>
#include <vector>

#include "catalog_tool.h"

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    return runCatalogTool(args, std::cout, std::cerr);
}
