#pragma once

#include <iconv.h>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quorlen::testing {

// The GBK bytes of a UTF-8 literal, so that expectations can be written in readable Chinese.
// glibc's converter stands apart from the program's own codec, which is what is under test
// elsewhere; the literals here only use characters that every GBK table agrees on.
inline std::string Gbk(std::string_view utf8) {
    iconv_t cd = iconv_open("GBK", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error("no GBK converter");
    std::string in(utf8);
    std::string out(in.size() * 2 + 1, '\0');
    char* inPtr = in.data();
    std::size_t inLeft = in.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    const std::size_t result = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (result == static_cast<std::size_t>(-1))
        throw std::runtime_error("not convertible to GBK: " + std::string(utf8));
    out.resize(out.size() - outLeft);
    return out;
}

} // namespace quorlen::testing
