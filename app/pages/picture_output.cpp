// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture_output.h"

#include "save_files.h"

#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <algorithm>
#include <cctype>

namespace vesk {

namespace {

// A logical pixel is 1/96 inch, as on a desktop screen at 100 %: 0.75 point.
constexpr double pointsPerPixel = 0.75;
// The PDF writer's resolution: the raster parts (the relief) keep their pixels, lines and text
// are drawn at this resolution.
constexpr int pdfDotsPerInch = 300;

} // namespace

std::string lowercaseExtension(const std::filesystem::path& path) {
    if (path.stem().empty())
        return {};
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    return extension;
}

std::optional<PictureFormat> pictureFormatOf(const std::filesystem::path& path) {
    const std::string extension = lowercaseExtension(path);
    if (extension == ".png")
        return PictureFormat::png;
    if (extension == ".svg")
        return PictureFormat::svg;
    if (extension == ".pdf")
        return PictureFormat::pdf;
    return std::nullopt;
}

PictureOutput::PictureOutput(PictureFormat format, int width, int height, double pixelRatio,
                             const PageLayout& page)
    : format(format) {
    document.open(QIODevice::WriteOnly);
    if (format == PictureFormat::svg) {
        svg = std::make_unique<QSvgGenerator>();
        svg->setOutputDevice(&document);
        svg->setSize(QSize(width, height));
        svg->setViewBox(QRect(0, 0, width, height));
        svg->setTitle(QStringLiteral("vesk"));
        picture = std::make_unique<QtDrawSurface>(*svg, width, height, page);
    } else if (format == PictureFormat::pdf) {
        pdf = std::make_unique<QPdfWriter>(&document);
        pdf->setPageSize(QPageSize(QSizeF(width, height) * pointsPerPixel, QPageSize::Point,
                                   QString(), QPageSize::ExactMatch));
        pdf->setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf->setResolution(pdfDotsPerInch);
        pdf->setCreator(QStringLiteral("vesk"));
        picture = std::make_unique<QtDrawSurface>(*pdf, width, height, page);
    } else {
        picture = std::make_unique<QtDrawSurface>(width, height, pixelRatio);
    }
}

PictureOutput::~PictureOutput() = default;

std::string PictureOutput::save(const std::filesystem::path& path,
                                std::vector<OutputFile> alongside) {
    picture->finish();
    OutputFile file{path, {}};
    if (format != PictureFormat::png)
        file.bytes = document.data().toStdString();
    else if (!encodePng(picture->image(), file.bytes))
        return "cannot write " + path.string() + ": the picture cannot be encoded";
    alongside.push_back(std::move(file));
    return SaveFileSink().writeTogether(alongside);
}

} // namespace vesk
