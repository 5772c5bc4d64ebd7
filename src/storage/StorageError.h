#pragma once

#include <new>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace qw::storage {

// Every failure of the table storage reaches the caller as a StorageError whose
// what() is the text the user sees in the message box.
class StorageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;

    // "Table does not exist.\nFile or directory does not exist.\nFile: <path>";
    // the file is named with its folder, so that the user sees where it was
    // looked for.
    static StorageError tableNotFound(std::string_view path);
    // "Index file does not exist.\nFile: <path>"
    static StorageError indexNotFound(std::string_view path);
    // "Dataset not in edit or insert mode"
    static StorageError notEditing();
    // A file that exists but cannot be trusted: "<file>: <reason>"
    static StorageError badFile(std::string_view fileName, std::string_view reason);
    // "<file>: there is not enough memory to <doing>"
    static StorageError outOfMemory(std::string_view fileName, std::string_view doing);
};

// Runs step; a failure to allocate memory in it (std::bad_alloc, a length
// error from a size read out of a damaged file) reaches the caller as a
// StorageError naming the file, never as an abort.
template <typename Step>
auto withMemoryCheck(std::string_view fileName, std::string_view doing, Step step)
{
    try {
        return step();
    } catch (const std::bad_alloc&) {
        throw StorageError::outOfMemory(fileName, doing);
    } catch (const std::length_error&) {
        throw StorageError::outOfMemory(fileName, doing);
    }
}
// A field that a whole-table read left out because it could not be read (a
// memo whose block is damaged or lies past the memo file): the rest of its
// record is still given.
struct UnreadableField {
    std::uint32_t recordNumber = 0;
    std::string field;
    std::string reason; // the storage error's text
};

} // namespace qw::storage
