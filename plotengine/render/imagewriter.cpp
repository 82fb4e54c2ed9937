#include "imagewriter.h"

#include "chartcontrol.h"
#include "charterrors.h"
#include "replacingfile.h"

#include <QFile>
#include <QImageWriter>
#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <gif_lib.h>
#include <unistd.h>
#include <unordered_map>
#include <vector>

namespace korva::plot {

namespace {

std::string LowerExtension(const std::string& path) {
    auto slash = path.find_last_of('/');
    auto dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string ext = path.substr(dot);
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

// The new file is removed with its ReplacingFile; an older image stays.
[[noreturn]] void Fail(const std::string& path, const std::string& why) {
    throw ChartError(kErrFileAccess, "Cannot write image file " + path + ": " + why);
}

// The new image file as the encoders see it. Some (TIFF) ignore a write that
// failed, a full disk say, and report success, and a later seek clears the
// file's error state; this remembers every short write. Unbuffered, so that
// every write reaches the disk while the encoder is still running.
class CheckedFile : public QFile {
public:
    bool failed = false;

protected:
    qint64 writeData(const char* data, qint64 size) override {
        const qint64 written = QFile::writeData(data, size);
        if (written != size) failed = true;
        return written;
    }
};

int ColourDistance(QRgb a, QRgb b) {
    int dr = qRed(a) - qRed(b), dg = qGreen(a) - qGreen(b), db = qBlue(a) - qBlue(b);
    return dr * dr + dg * dg + db * db;
}

} // namespace

ImageFormat FormatOfPath(const std::string& path) {
    std::string ext = LowerExtension(path);
    if (ext == ".jpg" || ext == ".jpeg") return ImageFormat::Jpeg;
    if (ext == ".png") return ImageFormat::Png;
    if (ext == ".bmp") return ImageFormat::Bmp;
    if (ext == ".gif") return ImageFormat::Gif;
    if (ext == ".tif" || ext == ".tiff") return ImageFormat::Tiff;
    throw ChartError(kErrInvalidValue, "Unsupported image file type \"" + ext + "\" of " + path +
                                           " (use .JPG, .PNG, .BMP, .GIF or .TIF)");
}

void WriteImage(const QImage& image, const std::string& path, ImageFormat format, int quality) {
    if (path.empty()) throw ChartError(kErrFileAccess, "No image file name (ImageFile is empty)");
    if (format == ImageFormat::Gif) {
        WriteGif(image, path);
        return;
    }
    static const char* names[] = {"jpeg", "png", "bmp", "gif", "tiff"};
    ReplacingFile file(path);
    if (!file.Ready()) Fail(path, file.Error());
    CheckedFile out;
    if (!out.open(file.Descriptor(), QIODevice::WriteOnly | QIODevice::Unbuffered,
                  QFileDevice::DontCloseHandle))
        Fail(path, out.errorString().toStdString());
    QImageWriter writer(&out, names[static_cast<int>(format)]);
    if (format == ImageFormat::Jpeg) writer.setQuality(quality > 0 ? std::min(quality, 100) : 90);
    // A chart's flat colours compress nearly as well at a fast zlib level.
    if (format == ImageFormat::Png) writer.setQuality(quality > 0 ? std::min(quality, 100) : 75);
    if (format == ImageFormat::Tiff && quality > 0) writer.setCompression(1);
    // JPEG and BMP carry no alpha; a chart is opaque anyway.
    QImage opaque = image.format() == QImage::Format_RGB32
                        ? image
                        : image.convertToFormat(QImage::Format_RGB32);
    if (!writer.write(opaque)) Fail(path, writer.errorString().toStdString());
    if (out.failed) Fail(path, out.errorString().toStdString());
    out.close();
    if (!file.Commit(false)) Fail(path, file.Error());
}

void WriteGif(const QImage& source, const std::string& path) {
    QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int w = image.width(), h = image.height();
    std::unordered_map<QRgb, int> count;
    for (int y = 0; y < h; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < w; ++x)
            ++count[row[x] & 0xFFFFFF];
    }
    std::vector<std::pair<QRgb, int>> colours(count.begin(), count.end());
    std::sort(colours.begin(), colours.end(), [](const auto& a, const auto& b) {
        return a.second != b.second ? a.second > b.second : a.first < b.first;
    });
    if (colours.size() > 256) colours.resize(256);
    std::unordered_map<QRgb, uint8_t> indexOf;
    for (size_t i = 0; i < colours.size(); ++i)
        indexOf[colours[i].first] = static_cast<uint8_t>(i);

    int mapSize = 2;
    while (mapSize < static_cast<int>(colours.size()))
        mapSize *= 2;
    std::vector<GifColorType> entries(mapSize, GifColorType{0, 0, 0});
    for (size_t i = 0; i < colours.size(); ++i)
        entries[i] = GifColorType{static_cast<GifByteType>(qRed(colours[i].first)),
                                  static_cast<GifByteType>(qGreen(colours[i].first)),
                                  static_cast<GifByteType>(qBlue(colours[i].first))};

    int error = 0;
    ReplacingFile file(path);
    if (!file.Ready()) Fail(path, file.Error());
    // giflib closes the descriptor it is given; the file keeps its own.
    const int gifFd = ::dup(file.Descriptor());
    GifFileType* gif = gifFd >= 0 ? EGifOpenFileHandle(gifFd, &error) : nullptr;
    if (!gif) {
        std::string why = errno ? std::strerror(errno) : GifErrorString(error);
        if (gifFd >= 0) ::close(gifFd);
        Fail(path, why);
    }
    ColorMapObject* map = GifMakeMapObject(mapSize, entries.data());
    bool ok = map && EGifPutScreenDesc(gif, w, h, 8, 0, map) == GIF_OK &&
              EGifPutImageDesc(gif, 0, 0, w, h, false, nullptr) == GIF_OK;
    std::vector<GifPixelType> line(w);
    for (int y = 0; ok && y < h; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            QRgb c = row[x] & 0xFFFFFF;
            auto it = indexOf.find(c);
            if (it == indexOf.end()) {
                // A rare colour beyond the 256 kept: remember its nearest entry.
                size_t best = 0;
                for (size_t i = 1; i < colours.size(); ++i)
                    if (ColourDistance(c, colours[i].first) <
                        ColourDistance(c, colours[best].first))
                        best = i;
                it = indexOf.emplace(c, static_cast<uint8_t>(best)).first;
            }
            line[x] = it->second;
        }
        ok = EGifPutLine(gif, line.data(), w) == GIF_OK;
    }
    if (!ok) error = gif->Error;
    if (map) GifFreeMapObject(map);
    int closeError = 0;
    if (EGifCloseFile(gif, &closeError) != GIF_OK && ok) {
        ok = false;
        error = closeError;
    }
    if (!ok) Fail(path, GifErrorString(error));
    if (!file.Commit(false)) Fail(path, file.Error());
}

} // namespace korva::plot
