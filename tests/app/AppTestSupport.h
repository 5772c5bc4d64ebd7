#pragma once

// Shared by the window tests: a copy of the build's tables in a temporary
// folder, a message sink that records instead of showing boxes, and a
// findChild that fails loudly.

#include <core/RecordingSink.h>

#include <QDir>
#include <QFile>
#include <QObject>
#include <QTemporaryDir>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace qw::test {

using qw::RecordingSink;

template <typename T> T* child(QObject* root, const QString& name)
{
    T* found = root->findChild<T*>(name);
    if (!found)
        throw std::runtime_error("no control named " + name.toStdString() + " of the wanted type");
    return found;
}

// The tables and texts the build makes for the tests (supplied tables, an
// empty customer table and shop record), copied so that a test may change
// them. Never the program folder's, which hold whatever its user saved.
class TableFolderCopy {
public:
    TableFolderCopy()
    {
        const QDir source(QStringLiteral(QW_TABLES_DIR));
        const QStringList files = source.entryList(
            {"*.dbf", "*.DBF", "*.idx", "*.IDX", "*.fpt", "*.FPT", "*.txt"}, QDir::Files);
        if (files.isEmpty())
            throw std::runtime_error("no tables in " + source.path().toStdString());
        for (const QString& file : files)
            QFile::copy(source.filePath(file), dir_.filePath(file));
    }
    std::filesystem::path path() const { return dir_.path().toStdString(); }
    QString filePath(const QString& name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
};

} // namespace qw::test
