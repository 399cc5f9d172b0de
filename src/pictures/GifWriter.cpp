#include "pictures/GifWriter.h"

#include <gif_lib.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace tintora {

namespace {

int AppendBytes(GifFileType* gif, const GifByteType* data, int length) {
    auto* out = static_cast<Bytes*>(gif->UserData);
    out->insert(out->end(), data, data + length);
    return length;
}

struct CloseGif {
    void operator()(GifFileType* gif) const {
        int error = 0;
        EGifCloseFile(gif, &error);
    }
};

struct FreeMap {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

GifResult Failed(std::string why) { return {std::nullopt, std::move(why)}; }

}  // namespace

GifResult EncodeGif(const RgbaImage& image) {
    if (image.Empty() || image.width > 0xFFFF || image.height > 0xFFFF ||
        image.pixels.size() != static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height))
        return Failed("no picture to write");

    // The colour table: the colours used, in ascending order.
    std::vector<std::uint32_t> colours;
    colours.reserve(image.pixels.size());
    for (std::uint32_t px : image.pixels) colours.push_back(px & 0xFFFFFFu);
    std::ranges::sort(colours);
    colours.erase(std::unique(colours.begin(), colours.end()), colours.end());
    if (colours.size() > 256) return Failed("more than 256 colours");

    const int bits = std::max(1, GifBitSize(static_cast<int>(colours.size())));
    std::unique_ptr<ColorMapObject, FreeMap> map(GifMakeMapObject(1 << bits, nullptr));
    if (!map) return Failed("out of memory");
    for (std::size_t i = 0; i < colours.size(); ++i) {
        map->Colors[i].Red = static_cast<GifByteType>(colours[i] >> 16);
        map->Colors[i].Green = static_cast<GifByteType>(colours[i] >> 8);
        map->Colors[i].Blue = static_cast<GifByteType>(colours[i]);
    }

    Bytes out;
    int error = 0;
    std::unique_ptr<GifFileType, CloseGif> gif(EGifOpen(&out, AppendBytes, &error));
    if (!gif) return Failed(GifErrorString(error));
    EGifSetGifVersion(gif.get(), true);
    if (EGifPutScreenDesc(gif.get(), image.width, image.height, bits, 0, map.get()) == GIF_ERROR ||
        EGifPutImageDesc(gif.get(), 0, 0, image.width, image.height, false, nullptr) == GIF_ERROR)
        return Failed(GifErrorString(gif->Error));

    std::vector<GifPixelType> line(static_cast<std::size_t>(image.width));
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const auto it = std::ranges::lower_bound(colours, image.At(x, y) & 0xFFFFFFu);
            line[static_cast<std::size_t>(x)] = static_cast<GifPixelType>(it - colours.begin());
        }
        if (EGifPutLine(gif.get(), line.data(), image.width) == GIF_ERROR) return Failed(GifErrorString(gif->Error));
    }
    // Closing writes the trailer; the file is complete only when that succeeds.
    GifFileType* raw = gif.release();
    if (EGifCloseFile(raw, &error) == GIF_ERROR) return Failed(GifErrorString(error));
    return {std::move(out), {}};
}

}  // namespace tintora
