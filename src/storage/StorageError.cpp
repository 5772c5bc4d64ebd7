#include "StorageError.h"

namespace qw::storage {

StorageError StorageError::tableNotFound(std::string_view fileName)
{
    return StorageError("Table does not exist.\nFile or directory does not exist.\nFile: " +
                        std::string(fileName));
}

StorageError StorageError::indexNotFound(std::string_view fileName)
{
    return StorageError("Index file does not exist.\nFile: " + std::string(fileName));
}

StorageError StorageError::notEditing()
{
    return StorageError("Dataset not in edit or insert mode");
}

StorageError StorageError::badFile(std::string_view fileName, std::string_view reason)
{
    return StorageError(std::string(fileName) + ": " + std::string(reason));
}

StorageError StorageError::outOfMemory(std::string_view fileName, std::string_view doing)
{
    return badFile(fileName, "there is not enough memory to " + std::string(doing));
}

} // namespace qw::storage
