// ziffron-report's commands for the school server's administrator.
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

// --add-machine NAME --server URI [--host HOST]: enrols one machine and
// prints its service-file stanza; -1 when args ask for something else.
int runMachineCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);

// The rows of the local file at path that the school server refused, with
// their reasons; nothing when there are none.
void printSetAside(const std::string& path, std::ostream& out);
