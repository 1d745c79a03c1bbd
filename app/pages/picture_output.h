// SPDX-License-Identifier: GPL-3.0-or-later
// Where a drawn screen goes: a PNG image at a pixel ratio, or an SVG or PDF document whose lines
// are paths and whose text is text. The file is written whole or not at all.
#pragma once

#include "file_sink.h"
#include "qt_draw_surface.h"

#include <QBuffer>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QPdfWriter;
class QSvgGenerator;

namespace vesk {

enum class PictureFormat { png, svg, pdf };

// A file's extension in lower case (".png"); empty for a name without a stem.
std::string lowercaseExtension(const std::filesystem::path& path);

// The format named by a file's extension (any letter case), or nullopt.
std::optional<PictureFormat> pictureFormatOf(const std::filesystem::path& path);

class PictureOutput {
  public:
    // A width x height screen in logical pixels; the pixel ratio (1 to 4) counts for PNG only, the
    // page's layout (white paper) for SVG and PDF only.
    PictureOutput(PictureFormat format, int width, int height, double pixelRatio,
                  const PageLayout& page = {});
    ~PictureOutput();

    QtDrawSurface& surface() { return *picture; }

    // Ends the drawing and writes the file together with the files alongside it (all of them, or
    // none); empty, or the failure naming the file.
    std::string save(const std::filesystem::path& path, std::vector<OutputFile> alongside = {});

  private:
    PictureFormat format;
    QBuffer document;
    std::unique_ptr<QSvgGenerator> svg;
    std::unique_ptr<QPdfWriter> pdf;
    std::unique_ptr<QtDrawSurface> picture;
};

} // namespace vesk
