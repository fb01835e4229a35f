#include "demo/sample_images.h"

#include <algorithm>
#include <array>

namespace quorlen::demo {

namespace {

constexpr int kAvatarSize = 100;

std::uint32_t Crc32(std::string_view bytes) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char byte : bytes)
        crc = table[(crc ^ static_cast<std::uint8_t>(byte)) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

std::uint32_t Adler32(std::string_view bytes) {
    std::uint32_t a = 1, b = 0;
    for (const char byte : bytes) {
        a = (a + static_cast<std::uint8_t>(byte)) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

void PutBigEndian32(std::string& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out += static_cast<char>((value >> shift) & 0xFF);
}

void PutLittleEndian16(std::string& out, unsigned value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void PutChunk(std::string& png, std::string_view type, std::string_view data) {
    PutBigEndian32(png, static_cast<std::uint32_t>(data.size()));
    std::string typed(type);
    typed += data;
    png += typed;
    PutBigEndian32(png, Crc32(typed));
}

// A zlib stream of stored deflate blocks.
std::string StoredZlib(std::string_view raw) {
    std::string out = "\x78\x01";
    constexpr std::size_t kBlock = 65535;
    std::size_t at = 0;
    do {
        const std::size_t size = std::min(kBlock, raw.size() - at);
        const bool last = at + size == raw.size();
        out += static_cast<char>(last ? 1 : 0);
        PutLittleEndian16(out, static_cast<unsigned>(size));
        PutLittleEndian16(out, static_cast<unsigned>(~size & 0xFFFF));
        out.append(raw.substr(at, size));
        at += size;
    } while (at < raw.size());
    PutBigEndian32(out, Adler32(raw));
    return out;
}

std::uint32_t Fnv1a(std::string_view text) {
    std::uint32_t hash = 2166136261u;
    for (const char c : text)
        hash = (hash ^ static_cast<std::uint8_t>(c)) * 16777619u;
    return hash;
}

Rgb Mix(Rgb a, Rgb b, int weight, int of) {
    const auto mix = [&](std::uint8_t x, std::uint8_t y) {
        return static_cast<std::uint8_t>((x * (of - weight) + y * weight) / of);
    };
    return {mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b)};
}

} // namespace

std::string EncodePng(int width, int height, const std::vector<Rgb>& pixels) {
    std::string raw;
    raw.reserve(static_cast<std::size_t>(height) * (1 + 3 * static_cast<std::size_t>(width)));
    for (int y = 0; y < height; ++y) {
        raw += '\0'; // no filter
        for (int x = 0; x < width; ++x) {
            const Rgb& p = pixels[static_cast<std::size_t>(y) * width + x];
            raw += static_cast<char>(p.r);
            raw += static_cast<char>(p.g);
            raw += static_cast<char>(p.b);
        }
    }
    std::string png = "\x89PNG\r\n\x1A\n";
    std::string header;
    PutBigEndian32(header, static_cast<std::uint32_t>(width));
    PutBigEndian32(header, static_cast<std::uint32_t>(height));
    header +=
        std::string("\x08\x02\x00\x00\x00", 5); // 8 bits, RGB, deflate, no filter, no interlace
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", StoredZlib(raw));
    PutChunk(png, "IEND", "");
    return png;
}

std::string EncodeGif(int width, int height, const std::vector<Rgb>& palette,
                      const std::vector<std::uint8_t>& indices) {
    std::string gif = "GIF89a";
    PutLittleEndian16(gif, static_cast<unsigned>(width));
    PutLittleEndian16(gif, static_cast<unsigned>(height));
    gif += '\xF7'; // a global table of 256 colours, 8 bits per primary
    gif += '\0';   // background colour
    gif += '\0';   // no aspect ratio
    for (int i = 0; i < 256; ++i) {
        const Rgb colour = i < static_cast<int>(palette.size()) ? palette[i] : Rgb{0, 0, 0};
        gif += static_cast<char>(colour.r);
        gif += static_cast<char>(colour.g);
        gif += static_cast<char>(colour.b);
    }
    gif += ',';
    PutLittleEndian16(gif, 0);
    PutLittleEndian16(gif, 0);
    PutLittleEndian16(gif, static_cast<unsigned>(width));
    PutLittleEndian16(gif, static_cast<unsigned>(height));
    gif += '\0';
    gif += '\x08'; // minimum code size

    constexpr unsigned kClear = 256, kEnd = 257, kCodeBits = 9, kRun = 254;
    std::string stream;
    std::uint32_t buffer = 0;
    unsigned bits = 0;
    const auto put = [&](unsigned code) {
        buffer |= code << bits;
        bits += kCodeBits;
        while (bits >= 8) {
            stream += static_cast<char>(buffer & 0xFF);
            buffer >>= 8;
            bits -= 8;
        }
    };
    for (std::size_t i = 0; i < indices.size(); ++i) {
        if (i % kRun == 0)
            put(kClear);
        put(indices[i]);
    }
    put(kEnd);
    if (bits > 0)
        stream += static_cast<char>(buffer & 0xFF);
    for (std::size_t at = 0; at < stream.size(); at += 255) {
        const std::size_t size = std::min<std::size_t>(255, stream.size() - at);
        gif += static_cast<char>(size);
        gif.append(stream, at, size);
    }
    gif += '\0';
    gif += ';';
    return gif;
}

std::string AvatarPng(std::string_view portraitId) {
    const std::uint32_t hash = Fnv1a(portraitId);
    Rgb background{0xDD, 0xDD, 0xDD};
    Rgb figure{0xAA, 0xAA, 0xAA};
    if (!portraitId.empty()) {
        background = {static_cast<std::uint8_t>(0x60 + (hash & 0x7F)),
                      static_cast<std::uint8_t>(0x60 + ((hash >> 8) & 0x7F)),
                      static_cast<std::uint8_t>(0x60 + ((hash >> 16) & 0x7F))};
        figure = Mix(background, Rgb{0x20, 0x20, 0x30}, 2, 3);
    }
    std::vector<Rgb> pixels(kAvatarSize * kAvatarSize);
    for (int y = 0; y < kAvatarSize; ++y) {
        for (int x = 0; x < kAvatarSize; ++x) {
            const int dx = x - kAvatarSize / 2, headY = y - 38, bodyY = y - 105;
            const bool head = dx * dx + headY * headY < 18 * 18;
            const bool body = dx * dx + bodyY * bodyY < 42 * 42;
            Rgb colour = Mix(background, Rgb{0xFF, 0xFF, 0xFF}, y, kAvatarSize * 3);
            if (head || body)
                colour = figure;
            pixels[static_cast<std::size_t>(y) * kAvatarSize + x] = colour;
        }
    }
    return EncodePng(kAvatarSize, kAvatarSize, pixels);
}

std::string ContactButtonGif() {
    constexpr int kWidth = 92, kHeight = 22;
    const std::vector<Rgb> palette = {
        {0xFF, 0xFF, 0xFF}, {0x2E, 0x8B, 0x57}, {0x1E, 0x5E, 0x3B}, {0xFF, 0xD7, 0x00}};
    std::vector<std::uint8_t> indices(kWidth * kHeight);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            std::uint8_t index = 1;
            if (x == 0 || y == 0 || x == kWidth - 1 || y == kHeight - 1)
                index = 2;
            const int dx = x - 11, dy = y - 11;
            if (dx * dx + dy * dy < 7 * 7)
                index = 3;
            if (x > 24 && x < 86 && y > 8 && y < 14)
                index = 0;
            indices[static_cast<std::size_t>(y) * kWidth + x] = index;
        }
    }
    return EncodeGif(kWidth, kHeight, palette, indices);
}

} // namespace quorlen::demo
