#include "platform/PictureDecoder.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include <algorithm>
#include <cstring>

#include "pictures/PictureFit.h"

namespace tintora {

void LimitImageAllocation() { QImageReader::setAllocationLimit(kDecodeLimitMiB); }

DecodedPicture DecodePicture(const Bytes& bytes) {
    LimitImageAllocation();
    if (bytes.empty()) return {{}, "the file is empty"};
    if (bytes.size() > kMaxPictureFileBytes) return {{}, "the file is too large"};
    QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (size.isValid() && static_cast<long long>(size.width()) * size.height() > kMaxDecodePixels)
        return {{}, "the picture is too large (" + std::to_string(size.width()) + " x " + std::to_string(size.height()) + ")"};
    // A large JPEG is decoded at a fraction of its size, as few pixels as fitting needs: the
    // decoder skips the rest, which makes a photo from a camera several times faster to take in.
    if (size.isValid() && reader.supportsOption(QImageIOHandler::ScaledSize)) {
        const int factor = std::min(size.width() / kWorkingWidth, size.height() / kWorkingHeight);
        if (factor >= 2) reader.setScaledSize(QSize(size.width() / factor, size.height() / factor));
    }
    QImage image;
    if (!reader.read(&image) || image.isNull()) {
        const std::string why = reader.errorString().toStdString();
        return {{}, why.empty() ? "the picture cannot be decoded" : why};
    }
    return {FromQImage(image), {}};
}

RgbaImage FromQImage(const QImage& image) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    RgbaImage out(argb.width(), argb.height());
    for (int y = 0; y < argb.height(); ++y)
        std::memcpy(&out.At(0, y), argb.constScanLine(y), static_cast<std::size_t>(argb.width()) * 4);
    return out;
}

QImage ToQImage(const RgbaImage& image) {
    QImage out(image.width, image.height, QImage::Format_ARGB32);
    for (int y = 0; y < image.height; ++y)
        std::memcpy(out.scanLine(y), image.pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width), static_cast<std::size_t>(image.width) * 4);
    return out;
}

}  // namespace tintora
