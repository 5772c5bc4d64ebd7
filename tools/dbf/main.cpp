#include "DbfTool.h"

#include <iostream>

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    return qw::tools::runDbfTool(args, std::cout, std::cerr);
}
