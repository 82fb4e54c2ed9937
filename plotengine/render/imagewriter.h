#pragma once
// Writes a drawn chart into an image file whose format follows the file's
// extension (.JPG/.JPEG, .PNG, .BMP, .GIF, .TIF/.TIFF, any case).
#include <QImage>
#include <string>

namespace korva::plot {

enum class ImageFormat { Jpeg, Png, Bmp, Gif, Tiff };

// The format named by the path's extension; throws ChartError for any other.
ImageFormat FormatOfPath(const std::string& path);

// Writes image to path; quality 1..100 for JPEG (0 = the default), a
// non-zero value asks TIFF for LZW compression. A file that cannot be
// written is removed again and reported as ChartError.
void WriteImage(const QImage& image, const std::string& path, ImageFormat format, int quality);

// GIF needs an exact palette: up to 256 colours are kept as they are; a
// picture with more keeps its 256 most frequent colours and maps the rest
// to the nearest of them.
void WriteGif(const QImage& image, const std::string& path);

} // namespace korva::plot
