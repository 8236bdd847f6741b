// A screen for tests: a picture of settable pixels and a settable pointer.
#pragma once

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/PicturePickSession.h"
#include "platform/ScreenSampler.h"

namespace huebird {

class FakeScreen : public ScreenSampler {
  public:
    FakeScreen(int width = 1024, int height = 768)
        : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height, 0) {}

    Point cursor;
    int areaReads = 0;

    void Fill(std::uint32_t rgb) { std::fill(pixels_.begin(), pixels_.end(), rgb); }
    void Set(int x, int y, std::uint32_t rgb) {
        pixels_[static_cast<std::size_t>(y) * width_ + x] = rgb;
    }

    // One unscaled monitor over the whole picture, unless a test sets others.
    std::vector<Monitor> monitors;
    std::vector<Monitor> Monitors() override {
        if (!monitors.empty()) return monitors;
        const Rect all{0, 0, width_, height_};
        return {Monitor{all, all}};
    }

    // Picks read the picture as it is at each moment, or with `captured` as it was at the
    // press (a desktop that shows other programs' pixels only in a capture); a set problem
    // refuses them, with `problemDetail` as the desktop's own words.
    bool captured = false;
    std::string problem, problemDetail;
    // Runs while a capture is being taken (the desktop's time, in which the program's own
    // channels go on).
    std::function<void()> whileCapturing;
    int picksBegun = 0;

    Point CursorPos() override { return cursor; }
    std::unique_ptr<PickSession> BeginPick() override {
        if (!problem.empty()) return nullptr;
        ++picksBegun;
        if (captured) {
            if (whileCapturing) whileCapturing();
            std::vector<OutputPicture> outputs;
            for (const Monitor& m : Monitors()) {
                OutputPicture o;
                o.place = m.device;
                o.width = m.device.width();
                o.height = m.device.height();
                o.rgb.resize(static_cast<std::size_t>(o.width) * o.height);
                ReadArea(m.device.left, m.device.top, o.width, o.height, o.rgb.data());
                outputs.push_back(std::move(o));
            }
            return std::make_unique<PicturePickSession>(ScreenPicture(std::move(outputs)),
                                                        [this] { return cursor; });
        }
        return std::make_unique<Pick>(*this);
    }
    std::string PickProblem() const override { return problem; }
    std::string PickProblemDetail() const override { return problemDetail; }

    void MovePointer(int x, int y) {
        cursor = {std::clamp(x, 0, width_ - 1), std::clamp(y, 0, height_ - 1)};
    }
    bool OnScreen(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    void ReadArea(int x, int y, int w, int h, std::uint32_t* out) {
        ++areaReads;
        for (int row = 0; row < h; ++row) {
            for (int col = 0; col < w; ++col) {
                const int sx = x + col, sy = y + row;
                out[row * w + col] =
                    OnScreen(sx, sy) ? pixels_[static_cast<std::size_t>(sy) * width_ + sx] : 0;
            }
        }
    }

  private:
    class Pick : public PickSession {
      public:
        explicit Pick(FakeScreen& screen) : screen_(screen) {}
        Point Pointer() override { return screen_.cursor; }
        bool OnScreen(int x, int y) override { return screen_.OnScreen(x, y); }
        void ReadArea(int x, int y, int w, int h, std::uint32_t* out) override {
            screen_.ReadArea(x, y, w, h, out);
        }
        void Nudge(int dx, int dy) override {
            screen_.MovePointer(screen_.cursor.x + dx, screen_.cursor.y + dy);
        }

      private:
        FakeScreen& screen_;
    };

    int width_, height_;
    std::vector<std::uint32_t> pixels_;
};

}  // namespace huebird
