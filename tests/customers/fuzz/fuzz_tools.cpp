// libFuzzer target for the command-line tools: the input is a command line
// (arguments separated by NUL bytes) and, after a 0x01 byte, the bytes of
// a customer table. The table replaces Saveddb.dbf in a copy of the program
// folder, then the arguments run through the option parsers and the
// customer commands as the tools run them (inside the tools' own guard),
// and every text met goes through the JSON writer. Refusals and messages
// are fine; an abort, a crash, a hang or a JSON answer that is not valid
// UTF-8 is not.

#include <CommandSupport.h>
#include <Commands.h>
#include <GuardedMain.h>
#include <JsonText.h>
#include <RetrievalCommands.h>
#include <SelectOptions.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

const fs::path& programCopy()
{
    static const fs::path folder = [] {
        const fs::path copy =
            fs::temp_directory_path() / ("fuzz_tools_" + std::to_string(getpid()));
        fs::create_directories(copy);
        for (const auto& entry : fs::directory_iterator(QW_TABLES_DIR))
            if (entry.is_regular_file() &&
                (entry.status().permissions() & fs::perms::owner_exec) == fs::perms::none)
                fs::copy_file(entry.path(), copy / entry.path().filename(),
                              fs::copy_options::overwrite_existing);
        return copy;
    }();
    return folder;
}

// Valid UTF-8 throughout, as every JSON reader needs.
bool isUtf8(const std::string& text)
{
    for (std::size_t at = 0; at < text.size();) {
        const auto lead = static_cast<unsigned char>(text[at]);
        std::size_t length = lead < 0x80                   ? 1
                             : lead >= 0xC2 && lead < 0xE0 ? 2
                             : lead >= 0xE0 && lead < 0xF0 ? 3
                             : lead >= 0xF0 && lead < 0xF5 ? 4
                                                           : 0;
        if (length == 0 || at + length > text.size())
            return false;
        for (std::size_t i = 1; i < length; ++i)
            if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80)
                return false;
        at += length;
    }
    return true;
}

void runCustomers(const fs::path& folder, const std::vector<std::string>& arguments)
{
    if (arguments.empty())
        return;
    qw::customers_cli::CommandContext context{folder, {arguments.begin() + 1, arguments.end()}};
    // No --data from the input: the commands stay in the copy.
    for (std::string& argument : context.arguments)
        if (argument == "--data")
            argument = "--json";
    std::ostringstream out, err;
    qw::setupcli::guardedMain("fuzz", [&] {
        try {
            const std::string& command = arguments.front();
            if (command == "list")
                return qw::customers_cli::runList(context);
            if (command == "add")
                return qw::customers_cli::runAdd(context);
            if (command == "find")
                return qw::customers::cli::runFind(folder, context.arguments, out, err);
            if (command == "recall")
                return qw::customers::cli::runRecall(folder, context.arguments, out, err);
        } catch (const qw::customers_cli::UsageError&) {
        }
        return 0;
    });
    if (!isUtf8(qw::setupcli::jsonText({{"out", out.str()}, {"err", err.str()}})))
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t tableAt = input.find('\x01');
    std::vector<std::string> arguments;
    std::istringstream words(input.substr(0, tableAt));
    for (std::string word; std::getline(words, word, '\0');)
        arguments.push_back(word);

    nlohmann::ordered_json texts = nlohmann::ordered_json::object();
    for (const std::string& argument : arguments)
        texts[argument] = arguments;
    if (!isUtf8(qw::setupcli::jsonText(texts)))
        __builtin_trap();
    try {
        qw::select::parseSelectOptions(arguments);
    } catch (const qw::select::UsageError&) {
    }

    const fs::path& folder = programCopy();
    // Each input starts from the program's own customer files.
    for (const char* name : {"Saveddb.dbf", "Saveddb.fpt", "Saved.idx"})
        fs::copy_file(fs::path(QW_TABLES_DIR) / name, folder / name,
                      fs::copy_options::overwrite_existing);
    if (tableAt != std::string::npos) {
        std::ofstream table(folder / "Saveddb.dbf", std::ios::binary | std::ios::trunc);
        table << input.substr(tableAt + 1);
    }
    // The answers on the standard streams are not looked at.
    std::streambuf* const out = std::cout.rdbuf(nullptr);
    std::streambuf* const err = std::cerr.rdbuf(nullptr);
    runCustomers(folder, arguments);
    std::cout.rdbuf(out);
    std::cerr.rdbuf(err);
    std::cout.clear();
    std::cerr.clear();
    return 0;
}
