// libFuzzer target for the key expression parser and evaluator.

#include "storage/KeyExpression.h"

#include <cstdint>
#include <string_view>

using namespace qw::storage;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::vector<FieldDef> fields = {
        {"NAME", FieldType::Character, 30, 0},
        {"SIZE", FieldType::Character, 6, 0},
        {"BOWWT", FieldType::Numeric, 4, 0},
        {"N", FieldType::Character, 1, 0},
    };
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        const KeyExpression expression = KeyExpression::parse(text, fields);
        const std::string key = expression.evaluate([&](std::size_t i) {
            // Field values from the input itself, of every length.
            return text.substr(0, i * 7 % (size + 1));
        });
        if (key.size() != expression.keyLength())
            __builtin_trap();
    } catch (const StorageError&) {
    }
    return 0;
}
