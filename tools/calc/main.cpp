// quiverwise-calc: kinetic energy, FOC, shaft specifications with the
// finished arrow weight, and the trajectory reference, for scripts and
// shop support. Exit status 0, 1 when a message ended the calculation, 2
// for a bad command line.

#include "CalcCommands.h"
#include <GuardedMain.h>

#include <SetupOptions.h>

#include <iostream>

static int run(int argc, char** argv)
{
    using namespace qw::calc;
    const Arguments all(argv + 1, argv + argc);
    if (!all.empty() && (all[0] == "--help" || all[0] == "-h")) {
        std::cout << calcUsage();
        return kExitOk;
    }
    try {
        if (all.empty())
            throw qw::setupcli::UsageError("a command is needed");
        const std::string& command = all[0];
        const Arguments arguments(all.begin() + 1, all.end());
        const auto folder = [&] {
            return qw::setupcli::dataFolder(qw::setupcli::dataOption(arguments), argv[0]);
        };
        if (command == "ke")
            return runEnergy(arguments);
        if (command == "foc")
            return runFoc(arguments);
        if (command == "specs")
            return runSpecs(arguments, folder());
        if (command == "trajectory")
            return runTrajectory(arguments, folder());
        throw qw::setupcli::UsageError("unknown command '" + command + "'");
    } catch (const qw::setupcli::UsageError& error) {
        std::cerr << "quiverwise-calc: " << error.what() << "\n" << calcUsage();
        return kExitUsage;
    }
}

int main(int argc, char** argv)
{
    return qw::setupcli::guardedMain("quiverwise-calc", [&] { return run(argc, argv); });
}
