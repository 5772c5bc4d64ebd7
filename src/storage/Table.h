#pragma once

// A table object: one open DBF file, a current record, at most one
// controlling index, and an edit state. Several Table objects may hold the
// same file open in one process; a record posted through one of them is what
// the others read the next time they position or read.
//
// Text crosses this interface as UTF-8; inside the files it is stored in the
// table's code page (Windows-1252 for the tables this program creates).

#include "FieldDef.h"
#include "RecoveryReport.h"
#include "StorageError.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace qw::storage {

enum class OpenMode { ReadWrite, ReadOnly };
enum class EditState { Browse, Edit, Insert };

// The text type code that copyToText understands: delimited text, one record
// per row (see TextExport.h for the layout).
inline constexpr int kTextTypeDelimited = 21;

class Table {
public:
    // dataFolder: where bare file names are looked up (letter case ignored).
    explicit Table(std::filesystem::path dataFolder);
    ~Table();
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    const std::filesystem::path& dataFolder() const;

    // Opening an open table does nothing. Throws StorageError::tableNotFound.
    // A read-only open writes no file, ever: the table is opened read-only,
    // and an edit left pending by an interrupted writer is read in memory.
    void open(std::string_view fileName, OpenMode mode = OpenMode::ReadWrite);
    // What the latest open, and the writes through this handle since, found
    // and dealt with without failing, for the caller to show, oldest first:
    // a leftover journal that was not applied to the table (it names both
    // files and says where the journal went); whole records past the
    // header's count taken into it; bytes at the end that are no whole
    // record, and the rescue file they were copied to before a post wrote
    // in their place. Empty after a plain open; a caller that shows them
    // after open and again after post shows the ones added since.
    const std::vector<std::string>& notices() const;
    // The same findings as figures (RecoveryReport.h).
    const RecoveryReport& recovery() const;
    // Closes the table and its indexes; an unposted new record is dropped.
    void close();
    bool isOpen() const;
    // Opened read-only, or its file can only be read (a read-only folder).
    bool isReadOnly() const;
    std::filesystem::path filePath() const;

    // Structure of the open table.
    const std::vector<FieldDef>& fields() const;
    bool hasField(std::string_view name) const; // letter case ignored
    std::uint8_t versionByte() const;
    std::uint8_t codePageByte() const;

    // Indexes. indexOpen makes the opened index the controlling order and
    // goes to its first record. Throws StorageError::indexNotFound.
    void indexOpen(std::string_view idxFileName);
    void indexCloseAll();
    // Rebuilds every open index file from the table's records (not through
    // a read-only handle), under the same lock as an append, over the record
    // count read again from the file: records another process appended are
    // covered.
    void reindex();
    bool hasControllingOrder() const;
    std::string orderExpression() const; // key expression of the controlling order
    // Whether the controlling order holds exactly what the table holds now:
    // one entry per record under the key the record gives, in key order, and
    // nothing else. Reads the whole table and the whole order; writes nothing.
    bool orderHoldsTable();
    // Makes an order built in memory from the table's records the
    // controlling order, under the index file's name (replacing that file's
    // order if it is open): for a reader that finds the file stale, damaged
    // or missing and cannot rewrite it. Writes nothing; a later reindex()
    // writes it out as the file. Throws StorageError for an expression that
    // does not fit the table.
    void indexOpenInMemory(std::string_view idxFileName, std::string_view keyExpression);

    // Positioning: in controlling order when there is one, else physical.
    // Physical order steps over slots that hold no record (a deletion flag
    // other than ' ' and '*': the blank of a hole in a sparse file).
    void goTop();
    void goBottom();
    void next();
    void previous();
    // Physical record number, 1-based. A number past the end positions on
    // the blank phantom record (eof() is true, fields read as blanks).
    void go(std::uint32_t recordNumber);
    std::uint32_t recordNumber() const;
    std::uint32_t recordCount() const;
    bool bof() const;
    bool eof() const;
    bool isDeleted() const;

    // Positions on the first record, in controlling order, whose key begins
    // with keyPrefix. Not found: false, positioned at eof. Needs a
    // controlling order (StorageError otherwise).
    bool seek(std::string_view keyPrefix);

    // Field text exactly as stored, padded with blanks to the field width;
    // memo fields give their whole text. Unknown field: StorageError.
    std::string getString(std::string_view field) const;
    // The field's value as a whole number: the leading integer of its
    // trimmed text (0 for a blank field).
    long getInteger(std::string_view field) const;

    // Editing. appendBlank begins a new record (Insert); edit begins editing
    // the current record (Edit); post writes it (a new record is appended)
    // and returns to Browse; cancel drops the changes. A post holds the table
    // lock (DbfFile.h) while it re-reads the record count, writes the memos,
    // the record and the count, and rebuilds the open orders, so that two
    // processes posting at once both keep their records and memos.
    void appendBlank();
    void edit();
    void setField(std::string_view field, std::string_view text);
    void post(); // StorageError::notEditing in Browse state
    void cancel();
    EditState state() const;

    // Writes every record of the open table, in physical order, to a text
    // file in the data folder. Returns the memos it had to leave out because
    // they could not be read (their records are written without them).
    std::vector<UnreadableField> copyToText(std::string_view fileName, int typeCode);

    // Every post is flushed to disk in its write order (the default). Bulk
    // loaders may switch this off for the file: the order of the writes is
    // kept, so a killed process still leaves a sound table, but a power
    // failure may lose the latest posts.
    void setDurableWrites(bool durable);

    // The current record as one row of copyToText's layout (no line end);
    // a memo that cannot be read is left out and added to unreadable.
    std::string recordAsDelimitedText(std::vector<UnreadableField>* unreadable = nullptr) const;
    // Header facts for inspection tools.
    std::uint16_t headerLength() const;
    std::uint16_t recordLength() const;
    // The record count the header claims; recordCount() is what the file holds.
    std::uint32_t headerRecordCount() const;
    // Records marked deleted, read from the data the file really holds.
    std::uint32_t deletedCount() const;

private:
    class Impl;
    std::unique_ptr<Impl> impl_;
};

// Creates an empty table (fails if the file exists). Tables without memo
// fields are written as version 0x03; with memo fields as 0xF5 with an FPT
// memo file beside them. codePage is the DBF language driver byte
// (0x03 = Windows-1252).
void createTable(const std::filesystem::path& folder, std::string_view fileName,
                 const std::vector<FieldDef>& fields, std::uint8_t codePage = 0x03);

// Builds a standard single-order IDX file for the table's records with the
// given key expression (replacing any existing file).
void createIndex(const std::filesystem::path& folder, std::string_view tableFileName,
                 std::string_view idxFileName, std::string_view keyExpression);

// Resolves a bare file name in folder, ignoring letter case; empty when absent.
std::filesystem::path findFile(const std::filesystem::path& folder, std::string_view fileName);

} // namespace qw::storage
