// Helper of the crash and two-writer tests: saves customers into the
// program folder FOLDER through the Customer Information model, as the
// window does, and prints "saved NAME" once each save has completed.
// Usage: customer_writer FOLDER WRITER COUNT

#include "CustomerTestSupport.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: customer_writer FOLDER WRITER COUNT\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    const int writer = std::atoi(argv[2]);
    const int count = std::atoi(argv[3]);
    qw::selection::RecordingSink sink;
    qw::selection::SelectionModel window(folder, sink);
    window.findRec();
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    for (int save = 0; save < count; ++save) {
        sink.clear();
        const auto details = qw::test::writerDetails(writer, save);
        const auto outcome = qw::test::saveCustomer(folder, window.form(), details, sink);
        if (outcome != qw::customers::CustInfoModel::SaveOutcome::Stored || sink.errorCount() > 0) {
            for (const auto& text : sink.texts())
                std::fprintf(stderr, "%s\n", text.c_str());
            return 1;
        }
        std::printf("saved %s\n", details.at("NAME").c_str());
        std::fflush(stdout);
    }
    return 0;
}
