#include "ImageEncoders.h"
#include "ImagingMessages.h"

#include <QBuffer>
#include <QImageWriter>

namespace qm {

ImageResult encodePng(const QImage& image, std::string& out) {
    if (image.isNull()) return ImageResult::failure(std::string(imaging_messages::kNoPixels));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image)) return ImageResult::failure(writer.errorString().toStdString());
    const QByteArray& bytes = buffer.data();
    out.append(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return ImageResult::success();
}

} // namespace qm
