#include "text/text_bytes.h"

#include <cstring>

namespace quorlen {

int CharCode(std::string_view text, int position) {
    if (position < 1 || static_cast<std::size_t>(position) > text.size())
        return 0;
    return static_cast<unsigned char>(text[static_cast<std::size_t>(position) - 1]);
}

Text CharFromCode(int code) {
    const auto byte = static_cast<char>(code & 0xFF);
    return byte == 0 ? Text() : Text(1, byte);
}

Text HexUpper(std::uint32_t value) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    char buffer[8];
    int used = 0;
    do {
        buffer[7 - used++] = kDigits[value & 0xF];
        value >>= 4;
    } while (value != 0);
    return Text(buffer + 8 - used, static_cast<std::size_t>(used));
}

Bytes TextToBytes(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

Text BytesToText(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return {};
    const void* zero = std::memchr(data, 0, size);
    const std::size_t length =
        zero ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(zero) - data) : size;
    return Text(reinterpret_cast<const char*>(data), length);
}

Text BytesToText(const Bytes& bytes) {
    return BytesToText(bytes.data(), bytes.size());
}

} // namespace quorlen
