#include "pictures/PictureFit.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <vector>

namespace tintora {

namespace {

// The source pixels under each target pixel along one axis, with their share of it.
struct AxisWeights {
    std::vector<int> first;       // first source pixel of target pixel i
    std::vector<int> count;       // how many follow
    std::vector<std::size_t> at;  // where target pixel i's weights start
    std::vector<float> weights;   // shares, summing to 1 per target pixel
};

AxisWeights Weights(double start, double length, int targets, int sourceSize) {
    AxisWeights w;
    w.first.resize(static_cast<std::size_t>(targets));
    w.count.resize(static_cast<std::size_t>(targets));
    w.at.resize(static_cast<std::size_t>(targets));
    const double step = length / targets;
    for (int i = 0; i < targets; ++i) {
        const double a = std::clamp(start + i * step, 0.0, static_cast<double>(sourceSize));
        const double b = std::clamp(start + (i + 1) * step, 0.0, static_cast<double>(sourceSize));
        const auto index = static_cast<std::size_t>(i);
        w.at[index] = w.weights.size();
        int p0 = static_cast<int>(std::floor(a));
        const int p1 = static_cast<int>(std::ceil(b));
        double total = 0;
        for (int p = p0; p < p1; ++p) {
            const double share = std::min(b, p + 1.0) - std::max(a, static_cast<double>(p));
            w.weights.push_back(static_cast<float>(share));
            total += share;
        }
        if (total <= 1e-9) {  // a window thinner than rounding: the nearest pixel
            w.weights.resize(w.at[index]);
            p0 = std::clamp(p0, 0, sourceSize - 1);
            w.weights.push_back(1.0f);
            total = 1.0;
        }
        w.first[index] = p0;
        w.count[index] = static_cast<int>(w.weights.size() - w.at[index]);
        for (std::size_t k = w.at[index]; k < w.weights.size(); ++k) w.weights[k] = static_cast<float>(w.weights[k] / total);
    }
    return w;
}

using Premultiplied = std::array<float, 4>;  // red, green, blue scaled by alpha (0-255), alpha 0-1

Premultiplied Premultiply(std::uint32_t px) {
    const float a = static_cast<float>(px >> 24) / 255.0f;
    return {static_cast<float>(px >> 16 & 0xFF) * a, static_cast<float>(px >> 8 & 0xFF) * a,
            static_cast<float>(px & 0xFF) * a, a};
}

// Averages the source under `window` into width x height premultiplied pixels: rows first, then
// columns, each source pixel weighted by how much of the target pixel it covers. Averaging
// premultiplied values is the same as laying the source over a colour first.
std::vector<Premultiplied> Resample(const RgbaImage& source, const CropWindow& window, int width, int height) {
    const AxisWeights across = Weights(window.x, window.width, width, source.width);
    const AxisWeights down = Weights(window.y, window.height, height, source.height);
    const int rowFirst = down.first.front();
    const int rowLast = down.first.back() + down.count.back();  // one past
    std::vector<Premultiplied> rows(static_cast<std::size_t>(rowLast - rowFirst) * static_cast<std::size_t>(width));
    for (int y = rowFirst; y < rowLast; ++y) {
        const std::uint32_t* line = &source.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(source.width)];
        Premultiplied* out = &rows[static_cast<std::size_t>(y - rowFirst) * static_cast<std::size_t>(width)];
        for (int i = 0; i < width; ++i) {
            const auto index = static_cast<std::size_t>(i);
            Premultiplied sum{};
            const float* share = &across.weights[across.at[index]];
            for (int k = 0; k < across.count[index]; ++k) {
                const Premultiplied p = Premultiply(line[across.first[index] + k]);
                for (std::size_t c = 0; c < 4; ++c) sum[c] += p[c] * share[k];
            }
            out[i] = sum;
        }
    }
    std::vector<Premultiplied> result(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int j = 0; j < height; ++j) {
        const auto index = static_cast<std::size_t>(j);
        const float* share = &down.weights[down.at[index]];
        Premultiplied* out = &result[index * static_cast<std::size_t>(width)];
        for (int k = 0; k < down.count[index]; ++k) {
            const Premultiplied* in = &rows[static_cast<std::size_t>(down.first[index] + k - rowFirst) * static_cast<std::size_t>(width)];
            for (int i = 0; i < width; ++i)
                for (std::size_t c = 0; c < 4; ++c) out[i][c] += in[i][c] * share[k];
        }
    }
    return result;
}

std::uint32_t OverBar(const Premultiplied& p, std::uint32_t bar) {
    const float rest = 1.0f - std::clamp(p[3], 0.0f, 1.0f);
    const auto channel = [&](std::size_t c, int shift) {
        const float v = p[c] + static_cast<float>(bar >> shift & 0xFF) * rest;
        return static_cast<std::uint32_t>(std::clamp(std::lround(v), 0L, 255L)) << shift;
    };
    return kOpaque | channel(0, 16) | channel(1, 8) | channel(2, 0);
}

}  // namespace

namespace {

// Sums each block of factor x factor pixels of the rows from `top` into `sums` (red, green, blue
// times alpha, and alpha; for an opaque picture the colours alone). 32 bits hold a block of up
// to 256 x 256 pixels.
template <bool kOpaqueSource>
void SumBlocks(const RgbaImage& source, int top, int factor, int blocks, std::vector<std::array<std::uint32_t, 4>>& sums) {
    std::fill(sums.begin(), sums.end(), std::array<std::uint32_t, 4>{});
    for (int dy = 0; dy < factor; ++dy) {
        const std::uint32_t* px = &source.pixels[static_cast<std::size_t>(top + dy) * static_cast<std::size_t>(source.width)];
        for (int x = 0; x < blocks; ++x) {
            auto& sum = sums[static_cast<std::size_t>(x)];
            for (const std::uint32_t* end = px + factor; px != end; ++px) {
                const std::uint32_t a = kOpaqueSource ? 1 : *px >> 24;
                sum[0] += (*px >> 16 & 0xFF) * a;
                sum[1] += (*px >> 8 & 0xFF) * a;
                sum[2] += (*px & 0xFF) * a;
                sum[3] += a;
            }
        }
    }
}

// One band of blocks (factor rows) the general way, into `out`.
void ShrinkBand(const RgbaImage& source, int top, int factor, bool opaque, std::vector<std::array<std::uint32_t, 4>>& sums,
                std::uint32_t* out) {
    const int blocks = static_cast<int>(sums.size());
    if (opaque) SumBlocks<true>(source, top, factor, blocks, sums);
    else SumBlocks<false>(source, top, factor, blocks, sums);
    const std::uint32_t count = static_cast<std::uint32_t>(factor * factor);
    for (int x = 0; x < blocks; ++x) {
        const auto& sum = sums[static_cast<std::size_t>(x)];
        const std::uint32_t weight = sum[3];  // what the colours are divided by
        const auto mean = [&](std::size_t c) { return weight == 0 ? 0u : (sum[c] + weight / 2) / weight; };
        const std::uint32_t alpha = opaque ? 0xFF : (sum[3] + count / 2) / count;
        out[x] = alpha << 24 | mean(0) << 16 | mean(1) << 8 | mean(2);
    }
}

// The common case, an opaque band of blocks of up to 16 x 16 pixels, the quick way: the bytes of
// the band's rows are added column by column into 16-bit sums, many bytes at a time, then the four byte sums of a column are added in one 64-bit word per step:
// its 16-bit parts cannot carry into each other while a block holds at most 256 pixels of 255.
// The rounded means come from a table. For an opaque block this gives exactly what the general
// way gives.
class OpaqueBandShrink {
public:
    static constexpr int kMaxFactor = 16;

    OpaqueBandShrink(int factor, int blocks)
        : factor_(factor), blocks_(blocks), columns_(static_cast<std::size_t>(factor * blocks) * 4),
          mean_(static_cast<std::size_t>(factor * factor) * 255 + 1) {
        const auto count = static_cast<std::uint32_t>(factor * factor);
        for (std::uint32_t s = 0; s < mean_.size(); ++s) mean_[s] = static_cast<std::uint8_t>((s + count / 2) / count);
    }

    void Band(const RgbaImage& source, int top, std::uint32_t* out) {
        std::fill(columns_.begin(), columns_.end(), std::uint16_t{0});
        std::uint16_t* sums = columns_.data();
        const std::size_t bytes = columns_.size();
        for (int dy = 0; dy < factor_; ++dy) {
            const auto* row = reinterpret_cast<const unsigned char*>(
                &source.pixels[static_cast<std::size_t>(top + dy) * static_cast<std::size_t>(source.width)]);
            // Sixteen bytes at a time through copies the compiler knows apart from the sums, so it
            // adds them in one go at any optimisation level.
            std::size_t i = 0;
            for (; i + kChunk <= bytes; i += kChunk) {
                std::array<unsigned char, kChunk> in{};
                std::array<std::uint16_t, kChunk> sum{};
                std::memcpy(in.data(), row + i, kChunk);
                std::memcpy(sum.data(), sums + i, sizeof sum);
                for (std::size_t k = 0; k < kChunk; ++k) sum[k] = static_cast<std::uint16_t>(sum[k] + in[k]);
                std::memcpy(sums + i, sum.data(), sizeof sum);
            }
            for (; i < bytes; ++i) sums[i] = static_cast<std::uint16_t>(sums[i] + row[i]);
        }
        for (int x = 0; x < blocks_; ++x) {
            std::uint64_t block = 0;
            for (int k = 0; k < factor_; ++k) {
                std::uint64_t column = 0;
                std::memcpy(&column, sums + static_cast<std::size_t>(x * factor_ + k) * 4, sizeof column);
                block += column;
            }
            std::array<std::uint16_t, 4> lanes{};
            std::memcpy(lanes.data(), &block, sizeof block);
            std::uint32_t px = 0;
            for (std::size_t b = 0; b < 4; ++b) px |= static_cast<std::uint32_t>(mean_[lanes[b]]) << kByteShift[b];
            out[x] = px;
        }
    }

private:
    // Where the n-th byte of a pixel in memory lies in its 0xAARRGGBB word.
    static constexpr std::array<int, 4> kByteShift =
        std::endian::native == std::endian::little ? std::array<int, 4>{0, 8, 16, 24} : std::array<int, 4>{24, 16, 8, 0};

    static constexpr std::size_t kChunk = 16;

    int factor_;
    int blocks_;
    std::vector<std::uint16_t> columns_;  // per byte of the band's used width
    std::vector<std::uint8_t> mean_;      // block sum -> rounded mean
};

// Whether every pixel of the rows is opaque; four words at a time, side by side.
bool OpaqueRows(const RgbaImage& source, int top, int rows, int width) {
    std::array<std::uint32_t, 4> all{0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu};
    for (int y = top; y < top + rows; ++y) {
        const std::uint32_t* px = &source.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(source.width)];
        int x = 0;
        for (; x + 4 <= width; x += 4)
            for (std::size_t k = 0; k < 4; ++k) all[k] &= px[x + static_cast<int>(k)];
        for (; x < width; ++x) all[0] &= px[x];
    }
    return (all[0] & all[1] & all[2] & all[3]) >> 24 == 0xFF;
}

}  // namespace

RgbaImage PrepareSource(const RgbaImage& source, int minWidth, int minHeight) {
    const int factor = std::min({source.width / std::max(minWidth, 1), source.height / std::max(minHeight, 1), 256});
    if (factor < 2) return source;
    RgbaImage reduced(source.width / factor, source.height / factor);
    // A photo has millions of pixels and this is the one step that touches them all: whole
    // numbers, no alpha arithmetic where there is no transparency, and each band of rows is
    // checked for transparency just before it is summed, while it is still in the cache.
    const int used = reduced.width * factor;
    std::vector<std::array<std::uint32_t, 4>> sums(static_cast<std::size_t>(reduced.width));
    std::optional<OpaqueBandShrink> quick;
    if (factor <= OpaqueBandShrink::kMaxFactor) quick.emplace(factor, reduced.width);
    for (int y = 0; y < reduced.height; ++y) {
        std::uint32_t* out = &reduced.At(0, y);
        const bool opaque = OpaqueRows(source, y * factor, factor, used);
        if (opaque && quick) quick->Band(source, y * factor, out);
        else ShrinkBand(source, y * factor, factor, opaque, sums, out);
    }
    return reduced;
}

CropWindow DefaultCropWindow(int sourceWidth, int sourceHeight, int targetWidth, int targetHeight) {
    if (sourceWidth <= 0 || sourceHeight <= 0 || targetWidth <= 0 || targetHeight <= 0) return {};
    const double target = static_cast<double>(targetWidth) / targetHeight;
    double width = sourceWidth;
    double height = width / target;
    if (height > sourceHeight) {
        height = sourceHeight;
        width = height * target;
    }
    return {(sourceWidth - width) / 2, (sourceHeight - height) / 2, width, height};
}

CropWindow MoveCropWindow(const CropWindow& window, double dx, double dy, int sourceWidth, int sourceHeight) {
    CropWindow moved = window;
    moved.x = std::clamp(window.x + dx, 0.0, std::max(0.0, sourceWidth - window.width));
    moved.y = std::clamp(window.y + dy, 0.0, std::max(0.0, sourceHeight - window.height));
    return moved;
}

PlacedRect FitInsideRect(int sourceWidth, int sourceHeight, int targetWidth, int targetHeight) {
    if (sourceWidth <= 0 || sourceHeight <= 0) return {};
    const double scale = std::min(static_cast<double>(targetWidth) / sourceWidth,
                                  static_cast<double>(targetHeight) / sourceHeight);
    const int width = std::clamp(static_cast<int>(std::lround(sourceWidth * scale)), 1, targetWidth);
    const int height = std::clamp(static_cast<int>(std::lround(sourceHeight * scale)), 1, targetHeight);
    return {(targetWidth - width) / 2, (targetHeight - height) / 2, width, height};
}

RgbaImage FitPicture(const RgbaImage& source, int targetWidth, int targetHeight, FitMode mode, std::uint32_t bar,
                     const std::optional<CropWindow>& window) {
    if (source.Empty() || targetWidth <= 0 || targetHeight <= 0 ||
        source.pixels.size() != static_cast<std::size_t>(source.width) * static_cast<std::size_t>(source.height))
        return {};
    const CropWindow whole{0, 0, static_cast<double>(source.width), static_cast<double>(source.height)};
    PlacedRect place{0, 0, targetWidth, targetHeight};
    CropWindow from = whole;
    if (mode == FitMode::Crop) {
        from = window ? MoveCropWindow(*window, 0, 0, source.width, source.height)
                      : DefaultCropWindow(source.width, source.height, targetWidth, targetHeight);
        if (from.width <= 0 || from.height <= 0) from = whole;
    } else if (mode == FitMode::Fit) {
        place = FitInsideRect(source.width, source.height, targetWidth, targetHeight);
    }

    RgbaImage result(targetWidth, targetHeight, kOpaque | (bar & 0xFFFFFFu));
    const std::vector<Premultiplied> pixels = Resample(source, from, place.width, place.height);
    for (int y = 0; y < place.height; ++y)
        for (int x = 0; x < place.width; ++x)
            result.At(place.x + x, place.y + y) =
                OverBar(pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(place.width) + static_cast<std::size_t>(x)],
                        bar);
    return result;
}

}  // namespace tintora
