// SPDX-License-Identifier: GPL-3.0-or-later
// An animated WebP file made by libwebp's animation encoder (WebPAnimEncoder of libwebpmux):
// frames of RGBA pixels added in order, each shown for its duration, the whole looped for ever.
// The frames are compressed lossily at the drawing preset, which keeps thin lines and text
// sharp; the encoder stores only what changed from one frame to the next.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace vesk {

class WebpAnimation {
  public:
    WebpAnimation(int width, int height);
    ~WebpAnimation();
    WebpAnimation(const WebpAnimation&) = delete;
    WebpAnimation& operator=(const WebpAnimation&) = delete;

    // Adds a frame of width x height pixels, 4 bytes each (R, G, B, A), rows one after another,
    // shown for milliseconds; empty, or what went wrong.
    std::string add(const std::uint8_t* rgba, int milliseconds);

    // The file's bytes after the last frame; empty with error set on failure.
    std::string finish(std::string& error);

  private:
    struct Encoder;
    std::unique_ptr<Encoder> encoder;
    int width, height, elapsed = 0;
};

} // namespace vesk
