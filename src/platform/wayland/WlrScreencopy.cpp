#include "platform/wayland/WlrScreencopy.h"

#include <poll.h>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

#include <cerrno>
#include <chrono>
#include <cstring>

#include "wlr-screencopy-client-protocol.h"
#include "xdg-output-unstable-v1-client-protocol.h"

namespace huebird {

namespace {

constexpr auto kFrameTimeLimit = std::chrono::seconds(3);

struct Output {
    wl_output* output = nullptr;
    zxdg_output_v1* logical = nullptr;  // the place in the layout, where the compositor says it
    std::uint32_t name = 0;             // the registry's
    int x = 0, y = 0;      // the output's own idea of its place (0,0 on some compositors)
    bool laidOut = false;  // the layout's place and size below are known
    int layoutX = 0, layoutY = 0, layoutWidth = 0, layoutHeight = 0;
    int scale = 1;
};

// One output's frame, from the capture request to its pixels.
struct Frame {
    Output* output = nullptr;
    wl_shm* shm = nullptr;
    zwlr_screencopy_frame_v1* frame = nullptr;
    wl_buffer* buffer = nullptr;
    void* data = MAP_FAILED;
    std::size_t size = 0;
    std::uint32_t format = 0, width = 0, height = 0, stride = 0, flags = 0;
    bool done = false, failed = false;
    std::string problem;

    ~Frame() {
        if (buffer) wl_buffer_destroy(buffer);
        if (frame) zwlr_screencopy_frame_v1_destroy(frame);
        if (data != MAP_FAILED) munmap(data, size);
    }
};

void OutputGeometry(void* data, wl_output*, int32_t x, int32_t y, int32_t, int32_t, int32_t,
                    const char*, const char*, int32_t) {
    auto* o = static_cast<Output*>(data);
    o->x = x;
    o->y = y;
}
// The frame's own buffer size is what counts; the modes are not needed.
void OutputMode(void*, wl_output*, uint32_t, int32_t, int32_t, int32_t) {}
void OutputDone(void*, wl_output*) {}
void OutputScale(void* data, wl_output*, int32_t factor) {
    static_cast<Output*>(data)->scale = factor > 0 ? factor : 1;
}
void OutputName(void*, wl_output*, const char*) {}
const wl_output_listener kOutputListener = {OutputGeometry, OutputMode, OutputDone,
                                            OutputScale,    OutputName, OutputName};

// The layout place: wl_output's own position is 0,0 on some compositors.
void LogicalPosition(void* data, zxdg_output_v1*, int32_t x, int32_t y) {
    auto* o = static_cast<Output*>(data);
    o->layoutX = x;
    o->layoutY = y;
}
void LogicalSize(void* data, zxdg_output_v1*, int32_t width, int32_t height) {
    auto* o = static_cast<Output*>(data);
    o->layoutWidth = width;
    o->layoutHeight = height;
    o->laidOut = width > 0 && height > 0;
}
void LogicalDone(void*, zxdg_output_v1*) {}
void LogicalName(void*, zxdg_output_v1*, const char*) {}
void LogicalDescription(void*, zxdg_output_v1*, const char*) {}
const zxdg_output_v1_listener kLogicalListener = {LogicalPosition, LogicalSize, LogicalDone,
                                                  LogicalName, LogicalDescription};

// A shared-memory file of `size` bytes, or -1.
int SharedMemory(std::size_t size) {
    const int fd = memfd_create("huebird-capture", MFD_CLOEXEC);
    if (fd < 0) return -1;
    if (ftruncate(fd, static_cast<off_t>(size)) < 0) {
        close(fd);
        return -1;
    }
    return fd;
}

void FrameBuffer(void* data, zwlr_screencopy_frame_v1* frame, uint32_t format, uint32_t width,
                 uint32_t height, uint32_t stride) {
    auto* f = static_cast<Frame*>(data);
    if (f->buffer) return;  // one buffer per frame
    f->format = format;
    f->width = width;
    f->height = height;
    f->stride = stride;
    f->size = static_cast<std::size_t>(stride) * height;
    if (width == 0 || height == 0 || stride < width * 4 || f->size > (std::size_t{1} << 31)) {
        f->failed = true;
        f->problem = "the compositor offered an unusable buffer";
        return;
    }
    const int fd = SharedMemory(f->size);
    if (fd < 0) {
        f->failed = true;
        f->problem = std::string("no shared memory: ") + std::strerror(errno);
        return;
    }
    f->data = mmap(nullptr, f->size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (f->data == MAP_FAILED) {
        close(fd);
        f->failed = true;
        f->problem = std::string("no shared memory: ") + std::strerror(errno);
        return;
    }
    wl_shm_pool* pool = wl_shm_create_pool(f->shm, fd, static_cast<int32_t>(f->size));
    f->buffer = wl_shm_pool_create_buffer(pool, 0, static_cast<int32_t>(width),
                                          static_cast<int32_t>(height),
                                          static_cast<int32_t>(stride), format);
    wl_shm_pool_destroy(pool);
    close(fd);
    zwlr_screencopy_frame_v1_copy(frame, f->buffer);
}
void FrameFlags(void* data, zwlr_screencopy_frame_v1*, uint32_t flags) {
    static_cast<Frame*>(data)->flags = flags;
}
void FrameReady(void* data, zwlr_screencopy_frame_v1*, uint32_t, uint32_t, uint32_t) {
    static_cast<Frame*>(data)->done = true;
}
void FrameFailed(void* data, zwlr_screencopy_frame_v1*) {
    auto* f = static_cast<Frame*>(data);
    f->failed = true;
    f->problem = "the compositor could not copy an output";
}
const zwlr_screencopy_frame_v1_listener kFrameListener = {FrameBuffer, FrameFlags, FrameReady,
                                                          FrameFailed};

// The frame's pixels as 0xRRGGBB, upright; false for a pixel layout we do not read.
bool ToRgb(const Frame& f, OutputPicture& out) {
    // Little-endian 32-bit words: the xRGB layouts hold 0xAARRGGBB, the xBGR ones 0xAABBGGRR.
    const bool rgb = f.format == WL_SHM_FORMAT_XRGB8888 || f.format == WL_SHM_FORMAT_ARGB8888;
    const bool bgr = f.format == WL_SHM_FORMAT_XBGR8888 || f.format == WL_SHM_FORMAT_ABGR8888;
    if (!rgb && !bgr) return false;
    out.width = static_cast<int>(f.width);
    out.height = static_cast<int>(f.height);
    out.rgb.resize(static_cast<std::size_t>(f.width) * f.height);
    const bool flipped = f.flags & ZWLR_SCREENCOPY_FRAME_V1_FLAGS_Y_INVERT;
    for (std::uint32_t y = 0; y < f.height; ++y) {
        const std::uint32_t srcRow = flipped ? f.height - 1 - y : y;
        const auto* src =
            reinterpret_cast<const std::uint32_t*>(static_cast<const unsigned char*>(f.data) +
                                                   static_cast<std::size_t>(srcRow) * f.stride);
        std::uint32_t* dst = out.rgb.data() + static_cast<std::size_t>(y) * f.width;
        if (rgb) {
            for (std::uint32_t x = 0; x < f.width; ++x) dst[x] = src[x] & 0xFFFFFF;
        } else {
            for (std::uint32_t x = 0; x < f.width; ++x) {
                const std::uint32_t v = src[x];
                dst[x] = (v & 0xFF) << 16 | (v & 0xFF00) | (v >> 16 & 0xFF);
            }
        }
    }
    return true;
}

}  // namespace

struct WlrScreencopy::Connection {
    wl_display* display = nullptr;
    wl_registry* registry = nullptr;
    wl_shm* shm = nullptr;
    zwlr_screencopy_manager_v1* manager = nullptr;
    zxdg_output_manager_v1* layout = nullptr;
    std::vector<std::unique_ptr<Output>> outputs;

    void Describe(Output& o) {
        if (layout && !o.logical) {
            o.logical = zxdg_output_manager_v1_get_xdg_output(layout, o.output);
            zxdg_output_v1_add_listener(o.logical, &kLogicalListener, &o);
        }
    }

    static void Global(void* data, wl_registry* registry, uint32_t name, const char* interface,
                       uint32_t version) {
        auto* c = static_cast<Connection*>(data);
        if (std::strcmp(interface, wl_shm_interface.name) == 0) {
            c->shm = static_cast<wl_shm*>(wl_registry_bind(registry, name, &wl_shm_interface, 1));
        } else if (std::strcmp(interface, zwlr_screencopy_manager_v1_interface.name) == 0) {
            c->manager = static_cast<zwlr_screencopy_manager_v1*>(
                wl_registry_bind(registry, name, &zwlr_screencopy_manager_v1_interface, 1));
        } else if (std::strcmp(interface, zxdg_output_manager_v1_interface.name) == 0) {
            c->layout = static_cast<zxdg_output_manager_v1*>(
                wl_registry_bind(registry, name, &zxdg_output_manager_v1_interface, 1));
            for (auto& o : c->outputs) c->Describe(*o);
        } else if (std::strcmp(interface, wl_output_interface.name) == 0) {
            auto o = std::make_unique<Output>();
            o->name = name;
            o->output = static_cast<wl_output*>(
                wl_registry_bind(registry, name, &wl_output_interface, version < 2 ? version : 2));
            wl_output_add_listener(o->output, &kOutputListener, o.get());
            c->Describe(*o);
            c->outputs.push_back(std::move(o));
        }
    }
    static void GlobalRemove(void* data, wl_registry*, uint32_t name) {
        auto* c = static_cast<Connection*>(data);
        for (auto it = c->outputs.begin(); it != c->outputs.end(); ++it) {
            if ((*it)->name == name) {
                if ((*it)->logical) zxdg_output_v1_destroy((*it)->logical);
                wl_output_destroy((*it)->output);
                c->outputs.erase(it);
                return;
            }
        }
    }
    static constexpr wl_registry_listener kRegistryListener = {Global, GlobalRemove};

    ~Connection() {
        for (auto& o : outputs) {
            if (o->logical) zxdg_output_v1_destroy(o->logical);
            wl_output_destroy(o->output);
        }
        if (layout) zxdg_output_manager_v1_destroy(layout);
        if (manager) zwlr_screencopy_manager_v1_destroy(manager);
        if (shm) wl_shm_destroy(shm);
        if (registry) wl_registry_destroy(registry);
        if (display) wl_display_disconnect(display);
    }

    // Connects and learns the globals and the outputs' places; false without a compositor.
    bool Open() {
        display = wl_display_connect(nullptr);
        if (!display) return false;
        registry = wl_display_get_registry(display);
        wl_registry_add_listener(registry, &kRegistryListener, this);
        // The first round trip brings the globals, the second the outputs' own events.
        return wl_display_roundtrip(display) >= 0 && wl_display_roundtrip(display) >= 0;
    }

    // Reads and handles events until `finished` holds or the time is up; false on a broken
    // connection or the time limit.
    template <typename Finished>
    bool DispatchUntil(Finished finished) {
        const auto end = std::chrono::steady_clock::now() + kFrameTimeLimit;
        while (!finished()) {
            if (wl_display_dispatch_pending(display) < 0) return false;
            if (finished()) break;
            while (wl_display_prepare_read(display) != 0) {
                if (wl_display_dispatch_pending(display) < 0) return false;
            }
            if (wl_display_flush(display) < 0 && errno != EAGAIN) {
                wl_display_cancel_read(display);
                return false;
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                end - std::chrono::steady_clock::now());
            if (left.count() <= 0) {
                wl_display_cancel_read(display);
                return false;
            }
            pollfd p{wl_display_get_fd(display), POLLIN, 0};
            const int ready = poll(&p, 1, static_cast<int>(left.count()));
            if (ready <= 0) {
                wl_display_cancel_read(display);
                if (ready < 0 && errno == EINTR) continue;
                return false;
            }
            if (wl_display_read_events(display) < 0) return false;
        }
        return true;
    }
};

WlrScreencopy::WlrScreencopy() = default;
WlrScreencopy::~WlrScreencopy() = default;

CaptureResult WlrScreencopy::Take(const std::vector<Monitor>&) {
    CaptureResult result;
    if (!connection_) {
        auto c = std::make_unique<Connection>();
        if (!c->Open()) {
            result.outcome = CaptureResult::Outcome::Unavailable;
            result.detail = "no Wayland compositor to connect to";
            return result;
        }
        connection_ = std::move(c);
    }
    Connection& c = *connection_;
    if (!c.manager || !c.shm) {
        result.outcome = CaptureResult::Outcome::Unavailable;
        result.detail = "the compositor offers no screen copy";
        return result;
    }
    // Catch up with outputs that came or went since the last capture.
    if (wl_display_roundtrip(c.display) < 0) {
        connection_.reset();  // the compositor went away; the next capture connects anew
        result.detail = "the connection to the compositor was lost";
        return result;
    }
    std::vector<std::unique_ptr<Frame>> frames;
    for (auto& o : c.outputs) {
        auto f = std::make_unique<Frame>();
        f->output = o.get();
        f->shm = c.shm;
        f->frame = zwlr_screencopy_manager_v1_capture_output(c.manager, 0, o->output);
        zwlr_screencopy_frame_v1_add_listener(f->frame, &kFrameListener, f.get());
        frames.push_back(std::move(f));
    }
    const bool answered = c.DispatchUntil([&] {
        for (const auto& f : frames) {
            if (!f->done && !f->failed) return false;
        }
        return true;
    });
    if (!answered) {
        const bool lost = wl_display_get_error(c.display) != 0;
        frames.clear();
        if (lost) connection_.reset();
        result.detail = lost ? "the connection to the compositor was lost"
                             : "the compositor did not answer in time";
        return result;
    }
    std::vector<OutputPicture> outputs;
    for (const auto& f : frames) {
        if (f->failed) {
            result.detail = f->problem;
            return result;
        }
        OutputPicture picture;
        const Output& o = *f->output;
        if (o.laidOut) {
            picture.place = {o.layoutX, o.layoutY, o.layoutX + o.layoutWidth,
                             o.layoutY + o.layoutHeight};
        } else {
            picture.place = {o.x, o.y, o.x + static_cast<int>(f->width) / o.scale,
                             o.y + static_cast<int>(f->height) / o.scale};
        }
        if (!ToRgb(*f, picture)) {
            result.detail = "the compositor gave a pixel layout the program does not read";
            return result;
        }
        outputs.push_back(std::move(picture));
    }
    result.picture = ScreenPicture(std::move(outputs));
    if (result.picture.Empty()) {
        result.detail = "the compositor has no output to capture";
        return result;
    }
    result.outcome = CaptureResult::Outcome::Taken;
    return result;
}

}  // namespace huebird
