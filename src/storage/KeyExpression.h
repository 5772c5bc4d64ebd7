#pragma once

// Key expressions of character indexes: field names, UPPER(), the +
// concatenation, TRIM()/RTRIM(), ALLTRIM(), LTRIM(), LEFT(), SUBSTR() and
// string literals. Anything else is refused with a message naming the
// expression.

#include "FieldDef.h"
#include "StorageError.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace qw::storage {

class KeyExpression {
public:
    // fieldValue gives the raw bytes of a field of the record being keyed.
    using FieldReader = std::function<std::string_view(std::size_t fieldIndex)>;

    // Throws StorageError naming the expression when it cannot be evaluated.
    static KeyExpression parse(std::string_view text, const std::vector<FieldDef>& fields);

    const std::string& text() const;
    // Fixed key width: the widest value the expression can give.
    std::size_t keyLength() const;
    // The key of one record, padded with blanks to keyLength().
    std::string evaluate(const FieldReader& fieldValue) const;
    // The same key appended to pool, from the record's bytes; a key of one
    // field, or of UPPER() of one field, is copied straight from the record
    // (the index rebuild keys every record this way).
    void appendKey(std::string_view record, const std::vector<std::uint16_t>& offsets,
                   std::string& pool) const;

    KeyExpression(KeyExpression&&) noexcept;
    KeyExpression& operator=(KeyExpression&&) noexcept;
    ~KeyExpression();

private:
    struct Node;
    KeyExpression();
    std::string text_;
    std::unique_ptr<Node> root_;
    std::size_t keyLength_ = 0;
};

} // namespace qw::storage
