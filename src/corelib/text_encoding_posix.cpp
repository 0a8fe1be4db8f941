// Natively the conversions go through iconv's "CP932", the code page as
// Windows has it.
#include <iconv.h>

#include <cerrno>

#include "corelib/text_encoding.h"

namespace {

// Converts input with iconv from one code page to another; a sequence that
// cannot be converted becomes replacement and is counted.
std::string Convert(const char* to, const char* from, const std::string& input, const char* replacement,
                    std::size_t* unmapped) {
    std::string out;
    iconv_t converter = iconv_open(to, from);
    if (converter == reinterpret_cast<iconv_t>(-1)) return out;
    out.reserve(input.size() + 16);
    char buffer[4096];
    char* in = const_cast<char*>(input.data());
    std::size_t left = input.size();
    while (left > 0) {
        char* put = buffer;
        std::size_t room = sizeof buffer;
        std::size_t result = iconv(converter, &in, &left, &put, &room);
        out.append(buffer, static_cast<std::size_t>(put - buffer));
        if (result != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
        // EILSEQ or EINVAL: one character of the input has no form in the other
        // code page (or is no character): it is replaced, and the rest goes on.
        out += replacement;
        if (unmapped) ++*unmapped;
        std::size_t skip = 1;
        unsigned char lead = static_cast<unsigned char>(*in);
        if (std::string(from) == "UTF-8") {
            while (skip < left && (static_cast<unsigned char>(in[skip]) & 0xC0) == 0x80 && skip < 4) ++skip;
            if (lead < 0xC0) skip = 1;
        }
        in += skip;
        left -= skip;
        iconv(converter, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(converter);
    return out;
}

}  // namespace

std::string Cp932OfUtf8(const std::string& utf8, std::size_t* unmapped) {
    return Convert("CP932", "UTF-8", utf8, "?", unmapped);
}

std::string Utf8OfCp932(const std::string& cp932) { return Convert("UTF-8", "CP932", cp932, "\xEF\xBF\xBD", nullptr); }
