#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorlen::demo {

struct Rgb {
    std::uint8_t r, g, b;
};

// A truecolour PNG of `pixels` (width * height, row by row), deflate-stored: a real image
// that any decoder reads, without a compression library.
std::string EncodePng(int width, int height, const std::vector<Rgb>& pixels);

// A GIF89a of palette indices (width * height) with a palette of at most 256 colours. The
// LZW stream starts over every 254 pixels so that every code stays nine bits wide.
std::string EncodeGif(int width, int height, const std::vector<Rgb>& palette,
                      const std::vector<std::uint8_t>& indices);

// The avatar of a portrait identifier: a head and shoulders on a background whose colours
// follow from the identifier; the empty identifier gives the grey one of unknown users.
std::string AvatarPng(std::string_view portraitId);

// The messenger's contact button.
std::string ContactButtonGif();

} // namespace quorlen::demo
