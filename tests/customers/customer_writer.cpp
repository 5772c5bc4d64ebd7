// Helper of the crash and two-writer tests: saves customers into the
// program folder FOLDER through the Customer Information model, as the
// window does, and prints "saved NAME" once each save has completed.
// With "edit", it instead edits the comments of the table's first COUNT
// customers in turn, as the retrieval window's navigator does (edit, post),
// and prints "edited <record> <comments>" once each edit has been posted.
// Usage: customer_writer FOLDER WRITER COUNT [edit]

#include "CustomerTestSupport.h"

#include <storage/ProgramFiles.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

int editComments(const std::filesystem::path& folder, int writer, int count)
{
    qw::storage::Table table(folder);
    table.open(qw::storage::files::kSavedSetups);
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    for (int edit = 0; edit < count * 3; ++edit) {
        const auto record = static_cast<std::uint32_t>(edit % count + 1);
        const std::string comments = "Edited by writer " + std::to_string(writer) + ", edit " +
                                     std::to_string(edit) + "\r\nsecond line of the edit";
        table.go(record);
        table.edit();
        table.setField("COMMENTS", comments);
        table.post();
        std::printf("edited %u %s\n", record, comments.substr(0, comments.find('\r')).c_str());
        std::fflush(stdout);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4 && !(argc == 5 && std::strcmp(argv[4], "edit") == 0)) {
        std::fprintf(stderr, "usage: customer_writer FOLDER WRITER COUNT [edit]\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    const int writer = std::atoi(argv[2]);
    const int count = std::atoi(argv[3]);
    if (argc == 5) {
        try {
            return editComments(folder, writer, count);
        } catch (const qw::storage::StorageError& e) {
            std::fprintf(stderr, "%s\n", e.what());
            return 1;
        }
    }
    qw::RecordingSink sink;
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
