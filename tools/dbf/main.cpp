#include "DbfTool.h"
#include <GuardedMain.h>

#include <iostream>

static int run(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    return qw::tools::runDbfTool(args, std::cout, std::cerr);
}

int main(int argc, char** argv)
{
    return qw::setupcli::guardedMain("quiverwise-dbf", [&] { return run(argc, argv); });
}
