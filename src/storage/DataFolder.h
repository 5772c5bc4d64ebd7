#pragma once

// Where the program and its tools keep their tables, and bringing that folder
// up to date with the tables supplied with the program.
//
// The folder is, in this order:
//   1. the one given with --data DIR;
//   2. the one named by the environment variable QUIVERWISE_DATA;
//   3. the program's own folder, when it holds the tables and may be written
//      (a build tree, a portable copy): the tables are used where they are;
//   4. quiverwise in the user's data folder ($XDG_DATA_HOME, normally
//      ~/.local/share), as for an installed program.
//
// Any folder but the program's own is made up to date with the supplied
// tables when they are installed beside the program (../../share/quiverwise
// from its folder): each supplied table missing or different there is
// copied in, and the shop's own files (the customer table with its memo file
// and name index, the shop record) are copied only where missing, so that a
// first start finds them empty and an upgrade never touches them.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qw::storage {

// The shop's own files, in the case they are made in.
const std::vector<std::string>& shopFileNames();
// True for one of them, in whatever case.
bool isShopFile(std::string_view fileName);

enum class DataFolderSource { Option, Environment, ProgramFolder, UserFolder };

struct DataFolderInputs {
    std::optional<std::filesystem::path> option; // --data DIR
    std::optional<std::string> environment;      // QUIVERWISE_DATA; empty counts as unset
    std::filesystem::path programFolder;         // the folder of the executable
    std::filesystem::path suppliedFolder;        // supplied tables; empty when not installed
    std::filesystem::path userDataHome;          // $XDG_DATA_HOME, or ~/.local/share
};

class DataFolder {
public:
    // Decides the folder; looks at the file system only for step 3.
    static DataFolder choose(const DataFolderInputs& inputs);
    // The same from this process's environment and the executable's folder.
    static DataFolder forProgram(const std::optional<std::filesystem::path>& option,
                                 const std::filesystem::path& programFolder);

    const std::filesystem::path& path() const { return path_; }
    DataFolderSource source() const { return source_; }
    const std::filesystem::path& suppliedFolder() const { return supplied_; }

    // Creates the folder and brings it up to date with the supplied tables
    // (see above); nothing is done for the program's own folder or when no
    // supplied tables are installed. Returns one line per file copied. A
    // failure throws StorageError naming the file with its folder.
    std::vector<std::string> prepare() const;

private:
    void rebuildCustomerIndex(const std::string& indexName) const;
    DataFolder(std::filesystem::path path, DataFolderSource source,
               std::filesystem::path supplied)
        : path_(std::move(path)), source_(source), supplied_(std::move(supplied))
    {
    }

    std::filesystem::path path_;
    DataFolderSource source_;
    std::filesystem::path supplied_;
};

// The supplied tables installed beside a program in programFolder, or an
// empty path when there are none.
std::filesystem::path suppliedTablesFolder(const std::filesystem::path& programFolder);

} // namespace qw::storage
