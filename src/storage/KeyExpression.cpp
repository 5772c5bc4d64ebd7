#include "KeyExpression.h"

#include "IdxFormat.h"

#include <core/Text.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>

namespace qw::storage {

namespace {

enum class Operation { Field, Literal, Upper, RTrim, LTrim, AllTrim, Left, Substr, Concat };

struct ExprNode {
    Operation operation = Operation::Literal;
    std::size_t fieldIndex = 0;
    std::string literal;
    std::size_t start = 1;            // SUBSTR start, 1-based
    std::optional<std::size_t> count; // LEFT / SUBSTR length
    std::vector<ExprNode> operands;
    std::size_t width = 0; // the longest value this node can give
};

struct Function {
    const char* name;
    Operation operation;
    std::size_t minArguments;
    std::size_t maxArguments;
};

constexpr std::array<Function, 7> kFunctions{{
    {"UPPER", Operation::Upper, 1, 1},
    {"TRIM", Operation::RTrim, 1, 1},
    {"RTRIM", Operation::RTrim, 1, 1},
    {"LTRIM", Operation::LTrim, 1, 1},
    {"ALLTRIM", Operation::AllTrim, 1, 1},
    {"LEFT", Operation::Left, 2, 2},
    {"SUBSTR", Operation::Substr, 2, 3},
}};

// Upper case of one Windows-1252 byte: ASCII letters, the accented letters
// 0xE0-0xFE (but not the division sign 0xF7), and the four letters whose
// capitals sit in 0x80-0x9F. Bytes without a capital stay as they are.
unsigned char upperCp1252(unsigned char c)
{
    if (c >= 'a' && c <= 'z')
        return static_cast<unsigned char>(c - 0x20);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
        return static_cast<unsigned char>(c - 0x20);
    switch (c) {
    case 0x9A:
        return 0x8A; // s caron
    case 0x9C:
        return 0x8C; // oe
    case 0x9E:
        return 0x8E; // z caron
    case 0xFF:
        return 0x9F; // y diaeresis
    default:
        return c;
    }
}

class Parser {
public:
    Parser(std::string_view text, const std::vector<FieldDef>& fields)
        : text_(text), fields_(fields)
    {
    }

    ExprNode parse()
    {
        ExprNode root = parseConcatenation();
        skipBlanks();
        if (position_ < text_.size())
            fail("unexpected \"" + std::string(text_.substr(position_, 1)) + "\" at position " +
                 std::to_string(position_ + 1));
        return root;
    }

private:
    [[noreturn]] void fail(const std::string& reason) const
    {
        throw StorageError("The index key expression \"" + std::string(text_) +
                           "\" cannot be used: " + reason);
    }

    void skipBlanks()
    {
        while (position_ < text_.size() && (text_[position_] == ' ' || text_[position_] == '\t'))
            ++position_;
    }

    bool take(char c)
    {
        skipBlanks();
        if (position_ < text_.size() && text_[position_] == c) {
            ++position_;
            return true;
        }
        return false;
    }

    void expect(char c)
    {
        if (!take(c))
            fail(std::string("\"") + c + "\" expected at position " +
                 std::to_string(position_ + 1));
    }

    ExprNode parseConcatenation()
    {
        ExprNode first = parseTerm();
        if (!peekIs('+'))
            return first;
        ExprNode concat;
        concat.operation = Operation::Concat;
        concat.width = first.width;
        concat.operands.push_back(std::move(first));
        while (take('+')) {
            concat.operands.push_back(parseTerm());
            concat.width += concat.operands.back().width;
        }
        return concat;
    }

    bool peekIs(char c)
    {
        skipBlanks();
        return position_ < text_.size() && text_[position_] == c;
    }

    ExprNode parseTerm()
    {
        skipBlanks();
        if (position_ >= text_.size())
            fail("the expression ends too early");
        const char c = text_[position_];
        if (c == '\'' || c == '"' || c == '[')
            return parseLiteral(c == '[' ? ']' : c);
        if (std::isalpha(static_cast<unsigned char>(c)) || c == '_')
            return parseName();
        if (std::isdigit(static_cast<unsigned char>(c)))
            fail("numeric keys are not supported");
        fail("unexpected \"" + std::string(1, c) + "\" at position " +
             std::to_string(position_ + 1));
    }

    ExprNode parseLiteral(char closing)
    {
        const std::size_t begin = ++position_;
        const std::size_t end = text_.find(closing, begin);
        if (end == std::string_view::npos)
            fail("a text in quotes is not closed");
        position_ = end + 1;
        ExprNode node;
        node.operation = Operation::Literal;
        node.literal = std::string(text_.substr(begin, end - begin));
        node.width = node.literal.size();
        return node;
    }

    std::string readName()
    {
        const std::size_t begin = position_;
        while (
            position_ < text_.size() &&
            (std::isalnum(static_cast<unsigned char>(text_[position_])) || text_[position_] == '_'))
            ++position_;
        return upperAscii(text_.substr(begin, position_ - begin));
    }

    ExprNode parseName()
    {
        const std::string name = readName();
        if (peekIs('('))
            return parseFunction(name);
        if (peekIs('.') || peekIs('-'))
            fail("\"" + name + "\" followed by an operator or alias that is not supported");
        return fieldNode(name);
    }

    ExprNode fieldNode(const std::string& name) const
    {
        const auto found = std::find_if(fields_.begin(), fields_.end(), [&](const FieldDef& f) {
            return upperAscii(f.name) == name;
        });
        if (found == fields_.end())
            fail("the table has no field " + name);
        if (found->type != FieldType::Character)
            fail("field " + name + " is not a character field");
        ExprNode node;
        node.operation = Operation::Field;
        node.fieldIndex = std::size_t(found - fields_.begin());
        node.width = found->length;
        return node;
    }

    // Function names may be shortened to their first four letters.
    const Function* lookUpFunction(const std::string& name) const
    {
        for (const Function& function : kFunctions) {
            const std::string_view full(function.name);
            if (name == full || (name.size() >= 4 && full.substr(0, name.size()) == name))
                return &function;
        }
        return nullptr;
    }

    std::size_t parseWholeNumber()
    {
        skipBlanks();
        const std::size_t begin = position_;
        while (position_ < text_.size() &&
               std::isdigit(static_cast<unsigned char>(text_[position_])))
            ++position_;
        if (begin == position_ || position_ - begin > 5)
            fail("a whole number from 0 to 99999 expected at position " +
                 std::to_string(begin + 1));
        return std::stoul(std::string(text_.substr(begin, position_ - begin)));
    }

    ExprNode parseFunction(const std::string& name)
    {
        const Function* function = lookUpFunction(name);
        if (function == nullptr)
            fail("function " + name + "() is not supported");
        expect('(');
        ExprNode node;
        node.operation = function->operation;
        node.operands.push_back(parseConcatenation());
        std::vector<std::size_t> numbers;
        while (take(','))
            numbers.push_back(parseWholeNumber());
        expect(')');
        const std::size_t arguments = 1 + numbers.size();
        if (arguments < function->minArguments || arguments > function->maxArguments)
            fail(std::string(function->name) + "() given " + std::to_string(arguments) +
                 " arguments");
        applyNumbers(node, numbers);
        return node;
    }

    void applyNumbers(ExprNode& node, const std::vector<std::size_t>& numbers) const
    {
        const std::size_t operandWidth = node.operands.front().width;
        node.width = operandWidth;
        if (node.operation == Operation::Left) {
            node.count = numbers[0];
            node.width = std::min(operandWidth, numbers[0]);
        } else if (node.operation == Operation::Substr) {
            if (numbers[0] < 1)
                fail("SUBSTR() starts at position 1 or later");
            node.start = numbers[0];
            const std::size_t available =
                operandWidth >= node.start ? operandWidth - node.start + 1 : 0;
            node.width = available;
            if (numbers.size() > 1) {
                node.count = numbers[1];
                node.width = std::min(available, numbers[1]);
            }
        }
    }

    std::string_view text_;
    const std::vector<FieldDef>& fields_;
    std::size_t position_ = 0;
};

std::string evaluateNode(const ExprNode& node, const std::vector<std::size_t>& fieldWidths,
                         const KeyExpression::FieldReader& fieldValue)
{
    switch (node.operation) {
    case Operation::Field: {
        // Whatever the reader gives, a field contributes exactly its width.
        std::string value(fieldValue(node.fieldIndex).substr(0, fieldWidths[node.fieldIndex]));
        value.resize(fieldWidths[node.fieldIndex], ' ');
        return value;
    }
    case Operation::Literal:
        return node.literal;
    case Operation::Concat: {
        std::string value;
        value.reserve(node.width);
        for (const ExprNode& operand : node.operands)
            value += evaluateNode(operand, fieldWidths, fieldValue);
        return value;
    }
    default:
        break;
    }
    std::string value = evaluateNode(node.operands.front(), fieldWidths, fieldValue);
    switch (node.operation) {
    case Operation::Upper:
        for (char& c : value)
            c = static_cast<char>(upperCp1252(static_cast<unsigned char>(c)));
        return value;
    case Operation::RTrim:
        return std::string(trimTrailingBlanks(value));
    case Operation::LTrim:
        return std::string(trimLeadingBlanks(value));
    case Operation::AllTrim:
        return trimBlanks(value);
    case Operation::Left:
        return value.substr(0, *node.count);
    case Operation::Substr:
        if (node.start > value.size())
            return {};
        return value.substr(node.start - 1, node.count.value_or(std::string::npos));
    default:
        return value;
    }
}

} // namespace

struct KeyExpression::Node {
    ExprNode tree;
    std::vector<std::size_t> fieldWidths;
};

KeyExpression::KeyExpression() = default;
KeyExpression::KeyExpression(KeyExpression&&) noexcept = default;
KeyExpression& KeyExpression::operator=(KeyExpression&&) noexcept = default;
KeyExpression::~KeyExpression() = default;

KeyExpression KeyExpression::parse(std::string_view text, const std::vector<FieldDef>& fields)
{
    KeyExpression expression;
    expression.text_ = std::string(text);
    expression.root_ = std::make_unique<Node>();
    expression.root_->tree = Parser(text, fields).parse();
    for (const FieldDef& field : fields)
        expression.root_->fieldWidths.push_back(field.length);
    expression.keyLength_ = expression.root_->tree.width;
    if (expression.keyLength_ == 0 || expression.keyLength_ > idx::kMaxWrittenKeyLength)
        throw StorageError("The index key expression \"" + std::string(text) +
                           "\" cannot be used: its keys would be " +
                           std::to_string(expression.keyLength_) +
                           " characters long; an index key holds 1 to " +
                           std::to_string(idx::kMaxWrittenKeyLength));
    return expression;
}

const std::string& KeyExpression::text() const
{
    return text_;
}

std::size_t KeyExpression::keyLength() const
{
    return keyLength_;
}

std::string KeyExpression::evaluate(const FieldReader& fieldValue) const
{
    std::string key = evaluateNode(root_->tree, root_->fieldWidths, fieldValue);
    key.resize(keyLength_, ' ');
    return key;
}

void KeyExpression::appendKey(std::string_view record, const std::vector<std::uint16_t>& offsets,
                              std::string& pool) const
{
    const ExprNode& tree = root_->tree;
    const bool upper =
        tree.operation == Operation::Upper && tree.operands.front().operation == Operation::Field;
    const ExprNode* field = tree.operation == Operation::Field ? &tree
                            : upper                            ? &tree.operands.front()
                                                               : nullptr;
    if (field == nullptr || field->fieldIndex >= offsets.size()) {
        pool += evaluate([&](std::size_t index) -> std::string_view {
            if (index >= offsets.size())
                return {};
            return record.substr(offsets[index], root_->fieldWidths[index]);
        });
        return;
    }
    static const auto capitals = [] {
        std::array<char, 256> table{};
        for (std::size_t c = 0; c < table.size(); ++c)
            table[c] = static_cast<char>(upperCp1252(static_cast<unsigned char>(c)));
        return table;
    }();
    const std::size_t at = pool.size();
    pool.append(record.substr(offsets[field->fieldIndex], root_->fieldWidths[field->fieldIndex]));
    pool.resize(at + keyLength_, ' ');
    if (upper)
        for (std::size_t i = at; i < pool.size(); ++i)
            pool[i] = capitals[static_cast<unsigned char>(pool[i])];
}

} // namespace qw::storage
