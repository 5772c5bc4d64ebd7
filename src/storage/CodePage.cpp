#include "CodePage.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <iconv.h>
#include <map>
#include <memory>
#include <mutex>
#include <unordered_map>

// Every code page a DBF language driver byte can name is a single-byte one,
// so each is turned once into a 256-entry table (built with iconv) and every
// later conversion is a table look-up: reading a field costs no iconv call.

namespace qw::storage {
namespace {

const char* iconvName(std::uint8_t codePageByte)
{
    switch (codePageByte) {
    case 0x00: // unmarked: read as the program's own code page
    case 0x03:
    case 0x57:
    case 0x58:
    case 0x59:
        return "CP1252";
    case 0x01:
        return "CP437";
    case 0x02:
    case 0x37:
        return "CP850";
    case 0x04:
        return "MACINTOSH";
    case 0x64:
        return "CP852";
    case 0x65:
    case 0x26:
        return "CP866";
    case 0x66:
        return "CP865";
    case 0x67:
        return "CP861";
    case 0x6A:
        return "CP737";
    case 0x6B:
        return "CP857";
    case 0x7D:
        return "CP1255";
    case 0x7E:
        return "CP1256";
    case 0x96:
        return "MAC-CYRILLIC";
    case 0x97:
        return "MACCENTRALEUROPE";
    case 0x98:
        return "MACGREEK";
    case 0xC8:
        return "CP1250";
    case 0xC9:
        return "CP1251";
    case 0xCA:
        return "CP1254";
    case 0xCB:
        return "CP1253";
    case 0xCC:
        return "CP1257";
    default:
        return nullptr;
    }
}

struct CodePageTable {
    std::array<std::string, 256> toUtf8;            // byte -> its UTF-8 text
    std::unordered_map<char32_t, char> fromUnicode; // code point -> byte
};

std::string convertOne(iconv_t cd, char byte)
{
    char in[1] = {byte};
    char out[8];
    char* inPtr = in;
    char* outPtr = out;
    std::size_t inLeft = 1;
    std::size_t outLeft = sizeof out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1))
        return {}; // a byte the code page leaves undefined
    return std::string(out, sizeof out - outLeft);
}

// Decodes the first code point of a UTF-8 sequence; advances pos.
// Malformed input gives U+FFFD, so it turns into '?' rather than failing.
char32_t nextCodePoint(std::string_view text, std::size_t& pos)
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    int extra = 0;
    char32_t cp = 0;
    if (lead < 0x80) {
        ++pos;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        cp = lead & 0x07;
    } else {
        ++pos;
        return 0xFFFD;
    }
    ++pos;
    for (int i = 0; i < extra; ++i) {
        if (pos >= text.size() || (static_cast<unsigned char>(text[pos]) & 0xC0) != 0x80)
            return 0xFFFD;
        cp = (cp << 6) | (static_cast<unsigned char>(text[pos]) & 0x3F);
        ++pos;
    }
    return cp;
}

std::unique_ptr<CodePageTable> buildTable(const char* name)
{
    iconv_t cd = iconv_open("UTF-8", name);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return nullptr;
    auto table = std::make_unique<CodePageTable>();
    for (int b = 0; b < 256; ++b) {
        const char byte = static_cast<char>(b);
        std::string utf8 = b < 0x80 ? std::string(1, byte) : convertOne(cd, byte);
        if (utf8.empty())
            utf8 = "\xEF\xBF\xBD"; // undefined byte: U+FFFD, never a silent loss
        else {
            std::size_t pos = 0;
            table->fromUnicode.emplace(nextCodePoint(utf8, pos), byte);
        }
        table->toUtf8[b] = std::move(utf8);
    }
    iconv_close(cd);
    return table;
}

const CodePageTable& tableFor(std::uint8_t codePageByte)
{
    static std::mutex mutex;
    static std::map<std::uint8_t, std::unique_ptr<CodePageTable>> tables;
    std::lock_guard lock(mutex);
    auto& slot = tables[codePageByte];
    if (!slot) {
        const char* name = iconvName(codePageByte);
        slot = name ? buildTable(name) : nullptr;
        if (!slot) // an unknown driver byte is read as Windows-1252
            slot = buildTable("CP1252");
    }
    return *slot;
}

} // namespace

std::string toUtf8(std::string_view bytes, std::uint8_t codePageByte)
{
    // Most field text is plain ASCII: one copy, no table.
    if (std::all_of(bytes.begin(), bytes.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return std::string(bytes);
    const CodePageTable& table = tableFor(codePageByte);
    std::string out;
    out.reserve(bytes.size() + 8);
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80)
            out.push_back(c);
        else
            out += table.toUtf8[b];
    }
    return out;
}

std::string fromUtf8(std::string_view utf8, std::uint8_t codePageByte)
{
    const CodePageTable& table = tableFor(codePageByte);
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[pos]);
        if (lead < 0x80) {
            out.push_back(utf8[pos++]);
            continue;
        }
        const char32_t cp = nextCodePoint(utf8, pos);
        const auto found = table.fromUnicode.find(cp);
        out.push_back(found != table.fromUnicode.end() ? found->second : '?');
    }
    return out;
}

bool isKnownCodePage(std::uint8_t codePageByte)
{
    return iconvName(codePageByte) != nullptr;
}

} // namespace qw::storage
