// SPDX-License-Identifier: GPL-3.0-or-later
#include "webp_animation.h"

#include <webp/encode.h>
#include <webp/mux.h>

namespace vesk {

namespace {

// The quality of the lossy frames (0 to 100).
constexpr float frameQuality = 80;
constexpr const char* noEncoder =
    "the WebP encoder could not be made (libwebp's version, or memory)";

} // namespace

struct WebpAnimation::Encoder {
    WebPAnimEncoder* animation = nullptr;
    WebPConfig config{};
    ~Encoder() { WebPAnimEncoderDelete(animation); }
};

WebpAnimation::WebpAnimation(int width, int height)
    : encoder(std::make_unique<Encoder>()), width(width), height(height) {
    WebPAnimEncoderOptions options;
    if (!WebPAnimEncoderOptionsInit(&options) ||
        !WebPConfigPreset(&encoder->config, WEBP_PRESET_DRAWING, frameQuality))
        return;
    options.anim_params.loop_count = 0; // for ever
    encoder->animation = WebPAnimEncoderNew(width, height, &options);
}

WebpAnimation::~WebpAnimation() = default;

std::string WebpAnimation::add(const std::uint8_t* rgba, int milliseconds) {
    if (encoder->animation == nullptr)
        return noEncoder;
    WebPPicture picture;
    if (!WebPPictureInit(&picture))
        return "the WebP picture could not be made";
    picture.use_argb = 1;
    picture.width = width;
    picture.height = height;
    std::string error;
    if (!WebPPictureImportRGBA(&picture, rgba, width * 4))
        error = "no memory for a WebP frame";
    else if (!WebPAnimEncoderAdd(encoder->animation, &picture, elapsed, &encoder->config))
        error = std::string("WebP frame: ") + WebPAnimEncoderGetError(encoder->animation);
    WebPPictureFree(&picture);
    elapsed += milliseconds;
    return error;
}

std::string WebpAnimation::finish(std::string& error) {
    if (encoder->animation == nullptr) {
        error = noEncoder;
        return {};
    }
    WebPData data;
    WebPDataInit(&data);
    if (!WebPAnimEncoderAdd(encoder->animation, nullptr, elapsed, nullptr) ||
        !WebPAnimEncoderAssemble(encoder->animation, &data)) {
        error = std::string("WebP file: ") + WebPAnimEncoderGetError(encoder->animation);
        return {};
    }
    std::string bytes(reinterpret_cast<const char*>(data.bytes), data.size);
    WebPDataClear(&data);
    return bytes;
}

} // namespace vesk
