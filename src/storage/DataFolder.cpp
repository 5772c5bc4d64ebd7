#include "DataFolder.h"

#include "ProgramFiles.h"
#include "StorageError.h"
#include "Table.h"

#include <core/Text.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace qw::storage {

namespace {

// The installed layout: the program in <prefix>/lib/quiverwise, the supplied
// tables in <prefix>/share/quiverwise.
constexpr const char* kSuppliedRelative = "../../share/quiverwise";
// A supplied table whose presence tells that a folder holds the tables.
constexpr const char* kMarkerTable = files::kHuntChart;
constexpr const char* kUserFolderName = "quiverwise";

std::optional<std::string> environmentValue(const char* name)
{
    const char* value = std::getenv(name);
    if (!value)
        return std::nullopt;
    return std::string(value);
}

bool holdsTablesAndIsWritable(const fs::path& folder)
{
    return !folder.empty() && !findFile(folder, kMarkerTable).empty() &&
           ::access(folder.c_str(), W_OK) == 0;
}

std::string readWhole(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw StorageError("Cannot read a supplied table.\nFile: " + file.string());
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool sameContent(const fs::path& a, const fs::path& b)
{
    std::error_code error;
    if (fs::file_size(a, error) != fs::file_size(b, error) || error)
        return false;
    return readWhole(a) == readWhole(b);
}

// Writes the supplied file beside the target and renames it over: the
// target is either the old file or the new one, never half of each.
void copyOver(const fs::path& from, const fs::path& folder, const std::string& name,
              const fs::path& existing)
{
    const fs::path target = folder / name;
    const fs::path staged = folder / (name + ".new");
    std::error_code error;
    fs::copy_file(from, staged, fs::copy_options::overwrite_existing, error);
    if (!error && !existing.empty() && existing != target)
        fs::remove(existing, error); // an old copy spelt in another case
    if (!error)
        fs::rename(staged, target, error);
    if (error) {
        fs::remove(staged);
        throw StorageError("Cannot copy a supplied table into the data folder.\nFile: " +
                           target.string() + "\n" + error.message());
    }
}

} // namespace

const std::vector<std::string>& shopFileNames()
{
    static const std::vector<std::string> names = {files::kSavedSetups, files::kSavedSetupsMemo,
                                                   files::kSavedIndex, files::kShopInfo};
    return names;
}

bool isShopFile(std::string_view fileName)
{
    const std::string wanted = lowerAscii(fileName);
    return std::any_of(shopFileNames().begin(), shopFileNames().end(),
                       [&](const std::string& name) { return lowerAscii(name) == wanted; });
}

fs::path suppliedTablesFolder(const fs::path& programFolder)
{
    std::error_code error;
    const fs::path folder = fs::weakly_canonical(programFolder / kSuppliedRelative, error);
    if (error || findFile(folder, kMarkerTable).empty())
        return {};
    return folder;
}

DataFolder DataFolder::choose(const DataFolderInputs& inputs)
{
    if (inputs.option && !inputs.option->empty())
        return {*inputs.option, DataFolderSource::Option, inputs.suppliedFolder};
    if (inputs.environment && !inputs.environment->empty())
        return {fs::path(*inputs.environment), DataFolderSource::Environment,
                inputs.suppliedFolder};
    if (holdsTablesAndIsWritable(inputs.programFolder))
        return {inputs.programFolder, DataFolderSource::ProgramFolder, {}};
    return {inputs.userDataHome / kUserFolderName, DataFolderSource::UserFolder,
            inputs.suppliedFolder};
}

DataFolder DataFolder::forProgram(const std::optional<fs::path>& option,
                                  const fs::path& programFolder)
{
    DataFolderInputs inputs;
    inputs.option = option;
    inputs.environment = environmentValue("QUIVERWISE_DATA");
    inputs.programFolder = programFolder;
    inputs.suppliedFolder = suppliedTablesFolder(programFolder);
    const auto dataHome = environmentValue("XDG_DATA_HOME");
    const auto home = environmentValue("HOME");
    // A relative XDG_DATA_HOME is invalid and is ignored, as the base
    // directory rules say.
    if (dataHome && fs::path(*dataHome).is_absolute())
        inputs.userDataHome = *dataHome;
    else if (home && !home->empty())
        inputs.userDataHome = fs::path(*home) / ".local" / "share";
    else
        inputs.userDataHome = fs::current_path() / ".local" / "share";
    return choose(inputs);
}

// The name index of a kept customer table, made again over its records
// with the key of the supplied (empty) index.
void DataFolder::rebuildCustomerIndex(const std::string& indexName) const
{
    Table supplied(supplied_);
    supplied.open(files::kSavedSetups, OpenMode::ReadOnly);
    supplied.indexOpen(indexName);
    const std::string key = supplied.orderExpression();
    supplied.close();
    createIndex(path_, findFile(path_, files::kSavedSetups).filename().string(), indexName, key);
}

std::vector<std::string> DataFolder::prepare() const
{
    std::vector<std::string> log;
    if (source_ == DataFolderSource::ProgramFolder || supplied_.empty())
        return log;
    std::error_code error;
    if (fs::equivalent(supplied_, path_, error))
        return log;
    fs::create_directories(path_, error);
    if (error || !fs::is_directory(path_))
        throw StorageError("Cannot make the data folder.\nFolder: " + path_.string() +
                           (error ? "\n" + error.message() : std::string()));
    std::vector<fs::path> supplied;
    for (const auto& entry : fs::directory_iterator(supplied_))
        if (entry.is_regular_file())
            supplied.push_back(entry.path());
    std::sort(supplied.begin(), supplied.end());
    const bool noCustomerTable = findFile(path_, files::kSavedSetups).empty();
    for (const fs::path& file : supplied) {
        const std::string name = file.filename().string();
        const fs::path existing = findFile(path_, name);
        if (isShopFile(name)) {
            // The customer table's memo file and index belong to the table
            // there: they are only made with it, and an empty one never
            // joins a table that has records.
            const bool make =
                equalsIgnoringCase(name, files::kShopInfo) ? existing.empty() : noCustomerTable;
            if (make) {
                copyOver(file, path_, name, existing);
                log.push_back((path_ / name).string() + ": created empty");
            } else if (existing.empty() && equalsIgnoringCase(name, files::kSavedIndex)) {
                rebuildCustomerIndex(name);
                log.push_back((path_ / name).string() + ": rebuilt from the kept table");
            }
            continue;
        }
        if (!existing.empty() && sameContent(file, existing))
            continue;
        copyOver(file, path_, name, existing);
        log.push_back((path_ / name).string() + ": copied from " + file.string());
    }
    return log;
}

} // namespace qw::storage
