#include "ConversionError.h"

namespace qw {

ConversionError ConversionError::notInteger(const std::string& text)
{
    return ConversionError("'" + text + "' is not a valid integer value");
}

ConversionError ConversionError::notFloat(const std::string& text)
{
    return ConversionError("'" + text + "' is not a valid floating point value");
}

} // namespace qw
