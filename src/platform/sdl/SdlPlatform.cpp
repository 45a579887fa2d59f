#include "platform/sdl/SdlPlatform.h"

#include "platform/Letterbox.h"
#include "platform/raster/FontLocator.h"
#include "platform/raster/PictureLoader.h"
#include "platform/raster/Rasterizer.h"
#include "platform/raster/SurfaceTexture.h"
#include "platform/raster/TtfFont.h"
#include "platform/sdl/MixerAudio.h"

#include <SDL_image.h>

#include <signal.h>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace {

// The game reads input per poll, not input events: these would only fill the
// queue that the message loop drains one event per pass. Key presses and the
// mouse's events still pass the event filter, which is where a quick tap of
// Escape, every press and release and the system pointer's moves are caught.
constexpr SDL_EventType kIgnoredEvents[] = {
    SDL_KEYUP,        SDL_TEXTEDITING,  SDL_TEXTINPUT,       SDL_KEYMAPCHANGED,
    SDL_FINGERDOWN,   SDL_FINGERUP,     SDL_FINGERMOTION,    SDL_DOLLARGESTURE,
    SDL_DOLLARRECORD, SDL_MULTIGESTURE, SDL_TEXTEDITING_EXT,
};

// A machine without a DRM render node has no GPU driver: its "accelerated"
// renderer would be OpenGL on the CPU, slower to start and far larger than
// SDL's own software renderer.
bool HasRenderNode() {
    std::error_code ec;
    for (std::filesystem::directory_iterator it("/dev/dri", ec), end; !ec && it != end;
         it.increment(ec))
        if (it->path().filename().string().starts_with("renderD")) return true;
    return false;
}

// A GPU node may still leave OpenGL to a CPU rasterizer (llvmpipe and the like).
bool RunsOnCpu(SDL_Renderer* renderer) {
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(renderer, &info) != 0 || std::strncmp(info.name, "opengl", 6) != 0)
        return false;
    using GetString = const unsigned char* (*)(unsigned int);
    auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    constexpr unsigned int kGlRenderer = 0x1F01;
    const auto* name = getString ? reinterpret_cast<const char*>(getString(kGlRenderer)) : nullptr;
    if (!name) return false;
    for (const char* cpu : {"llvmpipe", "softpipe", "Software Rasterizer", "SWR"})
        if (std::strstr(name, cpu)) return true;
    return false;
}

// The keys the message loop acts on; every other key press is dropped.
WindowEvent WindowKey(const SDL_Keysym& key) {
    const bool shift = (key.mod & KMOD_SHIFT) != 0;
    const bool alt = (key.mod & KMOD_ALT) != 0;
    switch (key.scancode) {
        case SDL_SCANCODE_RETURN:
        case SDL_SCANCODE_KP_ENTER:
            return alt ? WindowEvent::ToggleFullScreen : WindowEvent::None;
        case SDL_SCANCODE_F11:
            return WindowEvent::ToggleFullScreen;
        case SDL_SCANCODE_F12:
            return WindowEvent::Screenshot;
        case SDL_SCANCODE_F1:
            return WindowEvent::ToggleOverlay;
        case SDL_SCANCODE_M:
            return WindowEvent::ToggleMute;
        case SDL_SCANCODE_F5:
            return WindowEvent::QuickSave;
        case SDL_SCANCODE_F9:
            return WindowEvent::QuickLoad;
        case SDL_SCANCODE_R:
            return shift ? WindowEvent::Reload : WindowEvent::None;
        default:
            return WindowEvent::None;
    }
}

// SDL turns SIGINT and SIGTERM into a quit event. A closed terminal sends
// SIGHUP, whose default action would kill the run before it shuts down, so it
// ends the run the same way. A run started with SIGHUP ignored (nohup) keeps
// ignoring it.
volatile std::sig_atomic_t g_hangUp = 0;
bool g_catchingHangUp = false;

void OnHangUp(int) {
    g_hangUp = 1;
}

void CatchHangUp() {
    struct sigaction current {};
    if (sigaction(SIGHUP, nullptr, &current) != 0 || current.sa_handler != SIG_DFL) return;
    struct sigaction action {};
    action.sa_handler = OnHangUp;
    sigemptyset(&action.sa_mask);
    g_catchingHangUp = sigaction(SIGHUP, &action, nullptr) == 0;
}

void ReleaseHangUp() {
    if (g_catchingHangUp) std::signal(SIGHUP, SIG_DFL);
    g_catchingHangUp = false;
}

// 1-9 for the number keys of the top row and of the keypad, 0 for any other.
uint8_t NumberKey(SDL_Scancode code) {
    if (code >= SDL_SCANCODE_1 && code <= SDL_SCANCODE_9)
        return static_cast<uint8_t>(code - SDL_SCANCODE_1 + 1);
    if (code >= SDL_SCANCODE_KP_1 && code <= SDL_SCANCODE_KP_9)
        return static_cast<uint8_t>(code - SDL_SCANCODE_KP_1 + 1);
    return 0;
}

// Space and Enter turn a page like a click (Alt+Enter is the full-screen key).
bool IsAdvanceKey(const SDL_Keysym& key) {
    if ((key.mod & KMOD_ALT) != 0) return false;
    return key.scancode == SDL_SCANCODE_SPACE || key.scancode == SDL_SCANCODE_RETURN ||
           key.scancode == SDL_SCANCODE_KP_ENTER;
}

// The wheel turned towards the player, whichever way the system flips it.
bool IsWheelDown(const SDL_MouseWheelEvent& wheel) {
    const Sint32 y = wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -wheel.y : wheel.y;
    return y < 0;
}

// A hidden or minimised window wakes once every this many frames and runs
// them back to back: the story keeps its 45 frames a second and its timing,
// at about a quarter of the wake-ups. Waking again when the window is shown
// takes at most as long (88 ms).
constexpr int kHiddenFramesPerWake = 4;
// With nothing to hear as well (the sound device closed) no one can tell when
// a frame ran, so it sleeps twice as long: the wake-up itself is most of the
// cost left. A window shown again is noticed within 176 ms; a sound that
// starts in such a stretch opens the device and is heard from then on.
constexpr int kSilentFramesPerWake = 8;

}  // namespace

CSdlPlatform::CSdlPlatform(const PlatformOptions& options)
    : m_options(options),
      m_fullScreen(!options.windowed),
      m_fonts(std::make_unique<CFontLocator>()),
      m_pictures(std::make_unique<CPictureLoader>(true)) {}

CSdlPlatform::~CSdlPlatform() {
    m_pictures.reset();
    m_rasterizer.reset();
    m_backBuffer.reset();
    m_renderer.reset();
    m_window.reset();
    m_mixer.reset();
    if (m_audioStarted) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    if (m_videoStarted) {
        SDL_SetEventFilter(nullptr, nullptr);
        SDL_Quit();
        ReleaseHangUp();
    }
}

bool CSdlPlatform::Init(std::string& error) {
    if (!m_options.frameTimesFile.empty() && !m_pacer.RecordTimes(m_options.frameTimesFile, error))
        return false;
    m_software = m_options.renderer == RendererChoice::Software ||
                 (m_options.renderer == RendererChoice::Auto && !HasRenderNode());
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        error = SDL_GetError();
        return false;
    }
    m_videoStarted = true;
    for (SDL_EventType type : kIgnoredEvents)
        SDL_EventState(type, SDL_IGNORE);
    SDL_SetEventFilter(&CSdlPlatform::FilterEvent, this);
    CatchHangUp();
    return true;
}

// Called by SDL as each event is queued, on the thread that pumps events.
// Of the key presses only the window keys of WindowKey (not their
// auto-repeat) reach the queue: window events for the message loop, not game
// input. A number key (top row or keypad, 1-9) and an advance (Space, Enter,
// the wheel down) are kept for the next poll, the left button's presses and
// releases latched, and the system pointer's last place noted; no mouse
// event reaches the queue.
int CSdlPlatform::FilterEvent(void* self, SDL_Event* event) {
    auto& platform = *static_cast<CSdlPlatform*>(self);
    switch (event->type) {
        case SDL_KEYDOWN:
            return platform.FilterKey(event->key);
        case SDL_MOUSEMOTION:
            platform.NoteCursor(event->motion.x, event->motion.y, nullptr);
            return 0;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            if (event->button.button == SDL_BUTTON_LEFT) {
                const CInputLatch::Transition transition{event->type == SDL_MOUSEBUTTONDOWN,
                                                         event->button.x, event->button.y};
                platform.NoteCursor(event->button.x, event->button.y, &transition);
            }
            return 0;
        case SDL_MOUSEWHEEL:
            if (IsWheelDown(event->wheel)) platform.m_advancePressed = true;
            return 0;
        default:
            return 1;
    }
}

int CSdlPlatform::FilterKey(const SDL_KeyboardEvent& key) {
    if (key.keysym.scancode == SDL_SCANCODE_ESCAPE) m_escapePressed = true;
    if (key.repeat) return 0;
    if (const uint8_t number = NumberKey(key.keysym.scancode); number != 0)
        m_numberPressed = number;
    if (IsAdvanceKey(key.keysym)) m_advancePressed = true;
    return WindowKey(key.keysym) != WindowEvent::None ? 1 : 0;
}

void CSdlPlatform::NoteCursor(int32_t x, int32_t y, const CInputLatch::Transition* transition) {
    const std::lock_guard<std::mutex> lock(m_cursorLock);
    if (transition) m_latch.Push(*transition);
    m_cursor = {x, y};
    m_cursorMoved = true;
}

bool CSdlPlatform::CreateWindow(std::string& error) {
    // Shown once the back buffer exists, so it never flashes at the wrong size.
    // Resizable in both: leaving full screen (F11) gives a window the player can size.
    const Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE |
                         (m_fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    // Full screen is the window manager's to grant; with none (a bare X
    // server) the window keeps the size it was made with, so it is made as
    // large as the screen.
    SDL_Rect at{SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 1280, 720};
    if (m_fullScreen && SDL_GetDisplayBounds(0, &at) != 0)
        at = {SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 1280, 720};
    m_window.reset(SDL_CreateWindow(m_options.title.c_str(), at.x, at.y, at.w, at.h, flags));
    if (!m_window) {
        error = SDL_GetError();
        return false;
    }
    SDL_ShowCursor(SDL_DISABLE);  // the game draws its own pointer
    return true;
}

bool CSdlPlatform::DesktopSize(int& width, int& height, std::string& error) {
    const int display = std::max(0, SDL_GetWindowDisplayIndex(m_window.get()));
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(display, &mode) != 0) {
        error = SDL_GetError();
        return false;
    }
    width = mode.w;
    height = mode.h;
    return true;
}

bool CSdlPlatform::MakeRenderer(std::string& error) {
    if (!m_software) {
        m_renderer.reset(SDL_CreateRenderer(m_window.get(), -1,
                                            SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC));
        const bool forced = m_options.renderer == RendererChoice::Accelerated;
        if (!m_renderer && forced) {
            error = std::string("no accelerated renderer: ") + SDL_GetError();
            return false;
        }
        if (m_renderer && !forced && RunsOnCpu(m_renderer.get())) m_renderer.reset();
        m_software = !m_renderer;
    }
    if (m_software) {
        // Without this SDL would put the window's own pixels in an OpenGL
        // texture, which is what the software renderer is chosen to avoid.
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        m_renderer.reset(SDL_CreateRenderer(m_window.get(), -1,
                                            SDL_RENDERER_SOFTWARE | SDL_RENDERER_PRESENTVSYNC));
    }
    if (!m_renderer) error = SDL_GetError();
    return static_cast<bool>(m_renderer);
}

bool CSdlPlatform::CreateBackBuffer(int width, int height, std::string& error) {
    if (m_options.windowed) {
        SDL_SetWindowSize(m_window.get(), width, height);
        SDL_SetWindowPosition(m_window.get(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    }
    if (!MakeRenderer(error)) return false;
    if (m_software) m_pictures->DecodeInto(*m_renderer);
    m_backWidth = width;
    m_backHeight = height;
    if (!DrawsDirect() && !MakeBackBuffer(error)) return false;
    m_rasterizer = std::make_unique<CRasterizer>(*m_renderer, *m_fonts);
    m_lastFrame.Forget();
    m_exposed = true;
    SDL_ShowWindow(m_window.get());
    return true;
}

// Full screen keeps the system pointer in the picture and reads its relative
// motion; a window leaves it free, and the game's pointer follows it.
bool CSdlPlatform::OpenInput(std::string& error) {
    if (SDL_SetRelativeMouseMode(m_fullScreen ? SDL_TRUE : SDL_FALSE) != 0) {
        error = std::string("no relative mouse mode: ") + SDL_GetError();
        return false;
    }
    SDL_GetRelativeMouseState(nullptr, nullptr);  // motion starts counting now
    return true;
}

// A failure leaves the window as it was: the game goes on, and stderr says why.
void CSdlPlatform::ToggleFullScreen() {
    const bool fullScreen = !m_fullScreen;
    SDL_Rect screen;
    if (fullScreen &&
        SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(m_window.get()), &screen) == 0) {
        SDL_SetWindowPosition(m_window.get(), screen.x, screen.y);  // as CreateWindow says
        SDL_SetWindowSize(m_window.get(), screen.w, screen.h);
    }
    if (SDL_SetWindowFullscreen(m_window.get(), fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) !=
        0) {
        std::fprintf(stderr, "tabi: cannot %s full screen: %s\n", fullScreen ? "enter" : "leave",
                     SDL_GetError());
        return;
    }
    m_fullScreen = fullScreen;
    if (!fullScreen) {
        SDL_SetWindowSize(m_window.get(), m_backWidth, m_backHeight);
        SDL_SetWindowPosition(m_window.get(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    }
    SDL_SetRelativeMouseMode(fullScreen ? SDL_TRUE : SDL_FALSE);
    SDL_GetRelativeMouseState(nullptr, nullptr);
    const std::lock_guard<std::mutex> lock(m_cursorLock);
    m_cursorMoved = false;  // a window's pointer waits for the system pointer's next move
    m_exposed = true;
}

bool CSdlPlatform::OpenAudio(std::string& error) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        error = SDL_GetError();
        return false;
    }
    m_audioStarted = true;
    m_mixer = CMixerAudio::Open(error);
    return m_mixer != nullptr;
}

CAudioOut& CSdlPlatform::Audio() {
    if (m_mixer) return *m_mixer;
    return m_silent;
}

// At most one event a call, like one window message per pass of the loop;
// events the game has no use for are dropped on the way.
WindowEvent CSdlPlatform::PollWindowEvent(uint32_t) {
    if (g_hangUp) return WindowEvent::Close;
    if (m_mixer) m_mixer->Pump(!m_visible);
    if (m_visible || !m_pacer.Owing()) SDL_PumpEvents();  // the events already queued still come
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) {
        switch (event.type) {
            case SDL_QUIT:
                return WindowEvent::Close;
            case SDL_KEYDOWN:
                return WindowKey(event.key.keysym);  // the filter lets only these through
            case SDL_WINDOWEVENT:
                switch (event.window.event) {
                    case SDL_WINDOWEVENT_CLOSE:
                        return WindowEvent::Close;
                    case SDL_WINDOWEVENT_MINIMIZED:
                    case SDL_WINDOWEVENT_HIDDEN:
                        m_visible = false;  // nothing is drawn until it is seen again
                        break;
                    case SDL_WINDOWEVENT_RESTORED:
                    case SDL_WINDOWEVENT_SHOWN:
                    case SDL_WINDOWEVENT_MAXIMIZED:
                        m_visible = true;
                        [[fallthrough]];
                    case SDL_WINDOWEVENT_EXPOSED:
                    case SDL_WINDOWEVENT_RESIZED:
                    case SDL_WINDOWEVENT_SIZE_CHANGED:
                        m_exposed = true;
                        return WindowEvent::Exposed;
                    default:
                        break;
                }
                break;
            case SDL_RENDER_DEVICE_RESET:
                // Every texture of the renderer is lost: upload them again.
                m_rasterizer = std::make_unique<CRasterizer>(*m_renderer, *m_fonts);
                [[fallthrough]];
            case SDL_RENDER_TARGETS_RESET:
                m_lastFrame.Forget();
                m_exposed = true;
                return WindowEvent::Exposed;
            default:
                break;
        }
    }
    return WindowEvent::None;
}

DeviceState CSdlPlatform::ReadDevices(uint32_t) {
    DeviceState state;
    int relativeX = 0, relativeY = 0;
    SDL_GetRelativeMouseState(&relativeX, &relativeY);  // read in a window too, so it starts afresh
    if (m_fullScreen) {
        state.dx = relativeX;
        state.dy = relativeY;
    }
    ReadButton(state);
    // Held now, or tapped since the last poll: a tap shorter than a frame
    // still ends the game.
    state.escape = SDL_GetKeyboardState(nullptr)[SDL_SCANCODE_ESCAPE] != 0;
    state.escape = m_escapePressed.exchange(false) || state.escape;
    state.number = m_numberPressed.exchange(0);
    state.advance = m_advancePressed.exchange(false);
    return state;
}

// One latched press or release a poll. In a window the game's pointer goes
// where the system pointer was at that press or release, or else where it
// is now; full screen moves it by relative motion alone.
void CSdlPlatform::ReadButton(DeviceState& state) {
    const std::lock_guard<std::mutex> lock(m_cursorLock);
    CInputLatch::Transition taken;
    const bool took = m_latch.Take(taken);
    state.leftButton = m_latch.Button();
    if (m_fullScreen || (!took && !m_cursorMoved)) return;
    const PixelPoint at = took ? PixelPoint{taken.x, taken.y} : m_cursor;
    m_cursorMoved = took && !(at == m_cursor);  // it moved on after the press: follow next poll
    const PixelPoint target = BackBufferPoint(at);
    state.dx = target.x - m_gamePointer.x;
    state.dy = target.y - m_gamePointer.y;
}

// A window point (SDL's mouse coordinates) in back-buffer pixels: through the
// output's pixel density, then through the letterbox.
PixelPoint CSdlPlatform::BackBufferPoint(PixelPoint window) const {
    int windowWidth = 0, windowHeight = 0, outWidth = 0, outHeight = 0;
    SDL_GetWindowSize(m_window.get(), &windowWidth, &windowHeight);
    if (!m_renderer || SDL_GetRendererOutputSize(m_renderer.get(), &outWidth, &outHeight) != 0 ||
        windowWidth <= 0 || windowHeight <= 0)
        return {};
    const auto x = static_cast<int32_t>(int64_t{window.x} * outWidth / windowWidth);
    const auto y = static_cast<int32_t>(int64_t{window.y} * outHeight / windowHeight);
    const PixelRect box =
        Letterbox(outWidth, outHeight, m_backWidth, m_backHeight, m_options.scale);
    return ToBackBuffer(box, m_backWidth, m_backHeight, x, y);
}

void CSdlPlatform::SetGamePointer(int32_t x, int32_t y) {
    const std::lock_guard<std::mutex> lock(m_cursorLock);
    m_gamePointer = {x, y};
}

void CSdlPlatform::WaitUntil(uint32_t tick) {
    const int framesPerWake = m_visible                            ? 1
                              : m_mixer && m_mixer->IsDeviceOpen() ? kHiddenFramesPerWake
                                                                   : kSilentFramesPerWake;
    m_pacer.WaitUntil(tick, framesPerWake);
}

std::unique_ptr<CTexture> CSdlPlatform::LoadTexture(const std::string& path, std::string& error) {
    return m_pictures->Load(path, error);
}

void CSdlPlatform::PrefetchTexture(const std::string& path) {
    m_pictures->Prefetch(path);
}

void CSdlPlatform::ReleasePixels(const CTexture& texture) {
    if (m_rasterizer) m_rasterizer->Forget(texture);
    if (const auto* surface = dynamic_cast<const CSurfaceTexture*>(&texture)) surface->DropPixels();
}

// Opened at once, unlike headless: a missing face is reported at start-up.
std::unique_ptr<CFont> CSdlPlatform::CreateFont(const FontDesc& desc, std::string& error) {
    auto font = std::make_unique<CTtfFont>(desc);
    if (!font->Open(*m_fonts, error)) return nullptr;
    return font;
}

std::unique_ptr<CTexture> CSdlPlatform::CreateTexture(const std::string& name, int width,
                                                      int height, std::span<const uint32_t> argb,
                                                      std::string& error) {
    return CSurfaceTexture::FromPixels(name, width, height, argb, error);
}

bool CSdlPlatform::UpdateTexture(CTexture& texture, std::span<const uint32_t> argb,
                                 std::string& error) {
    return CSurfaceTexture::Replace(texture, argb, error);
}

bool CSdlPlatform::MakeBackBuffer(std::string& error) {
    m_backBuffer.reset(SDL_CreateTexture(m_renderer.get(), SDL_PIXELFORMAT_ARGB8888,
                                         SDL_TEXTUREACCESS_TARGET, m_backWidth, m_backHeight));
    if (!m_backBuffer) {
        error = SDL_GetError();
        return false;
    }
    // Stretching to a window of another size looks better smoothed; the
    // sprites inside the back buffer stay sharp (nearest sampling), and so
    // does the whole picture when it is shown at a whole multiple.
    SDL_SetTextureScaleMode(m_backBuffer.get(), m_options.scale == ScaleMode::Integer
                                                    ? SDL_ScaleModeNearest
                                                    : SDL_ScaleModeLinear);
    return true;
}

// The software renderer draws into the window's own 32-bit pixels: when the
// window has the back buffer's size, the back buffer would only be copied
// into it whole (blending none), so frames go there straight and the back
// buffer (3.5 MiB at 1280 x 720) is not kept.
bool CSdlPlatform::DrawsDirect() const {
    if (!m_software) return false;
    const Uint32 format = SDL_GetWindowPixelFormat(m_window.get());
    if (format != SDL_PIXELFORMAT_RGB888 && format != SDL_PIXELFORMAT_ARGB8888) return false;
    int width = 0, height = 0;
    SDL_GetRendererOutputSize(m_renderer.get(), &width, &height);
    return width == m_backWidth && height == m_backHeight;
}

bool CSdlPlatform::DrawBackBuffer(const DrawList& frame, std::string& error) {
    m_lastFrame.Forget();
    if (!m_backBuffer && !MakeBackBuffer(error)) return false;
    if (SDL_SetRenderTarget(m_renderer.get(), m_backBuffer.get()) != 0) {
        error = SDL_GetError();
        return false;
    }
    const bool drawn = m_rasterizer->Draw(frame, error);
    SDL_SetRenderTarget(m_renderer.get(), nullptr);
    if (drawn) m_lastFrame.Remember(frame);
    return drawn;
}

bool CSdlPlatform::ShowBackBuffer(std::string& error) {
    SDL_SetRenderDrawColor(m_renderer.get(), 0, 0, 0, 255);
    if (SDL_RenderClear(m_renderer.get()) != 0) {
        error = SDL_GetError();
        return false;
    }
    int width = 0, height = 0;
    SDL_GetRendererOutputSize(m_renderer.get(), &width, &height);
    const PixelRect box = Letterbox(width, height, m_backWidth, m_backHeight, m_options.scale);
    const SDL_Rect to{box.left, box.top, box.right - box.left, box.bottom - box.top};
    SDL_RenderCopy(m_renderer.get(), m_backBuffer.get(), nullptr, &to);
    SDL_RenderPresent(m_renderer.get());
    m_exposed = false;
    return true;
}

// Drawn again whenever the window is shown again: a resized window gets new
// pixels.
bool CSdlPlatform::PresentDirect(const DrawList& frame, std::string& error) {
    m_backBuffer.reset();
    m_lastFrame.Forget();
    if (!m_rasterizer->Draw(frame, error)) return false;
    m_lastFrame.Remember(frame);
    SDL_RenderPresent(m_renderer.get());
    m_exposed = false;
    return true;
}

// A frame that would paint what the back buffer (or the window) already
// holds is neither drawn nor presented: an idle story costs next to nothing.
// A minimised or hidden window draws nothing at all.
bool CSdlPlatform::Present(const DrawList& frame, std::string& error) {
    if (!m_rasterizer || !m_visible) return true;
    const bool direct = DrawsDirect();
    if (direct != m_drawDirect) m_lastFrame.Forget();  // the other one holds an older frame
    m_drawDirect = direct;
    const bool same = m_lastFrame.Matches(frame);
    if (same && !m_exposed) return true;
    if (direct) return PresentDirect(frame, error);
    if (!same && !DrawBackBuffer(frame, error)) return false;
    return ShowBackBuffer(error);
}

bool CSdlPlatform::SaveScreenshot(const DrawList& frame, const std::string& path,
                                  std::string& error) {
    if (!m_rasterizer) {
        error = "no back buffer";
        return false;
    }
    // A frame drawn straight into the window is drawn again into a back
    // buffer for the shot: the window's pixels have no alpha; the shot keeps
    // the back buffer's, as ever.
    if (m_drawDirect || !m_lastFrame.Matches(frame)) {
        if (!DrawBackBuffer(frame, error)) return false;
        m_exposed = true;  // the window shows another frame, or is drawn again
    }
    SurfacePtr shot(
        SDL_CreateRGBSurfaceWithFormat(0, m_backWidth, m_backHeight, 32, SDL_PIXELFORMAT_ARGB8888));
    bool read = shot && SDL_SetRenderTarget(m_renderer.get(), m_backBuffer.get()) == 0;
    read = read && SDL_RenderReadPixels(m_renderer.get(), nullptr, SDL_PIXELFORMAT_ARGB8888,
                                        shot->pixels, shot->pitch) == 0;
    if (!read) error = SDL_GetError();
    SDL_SetRenderTarget(m_renderer.get(), nullptr);
    if (read && IMG_SavePNG(shot.get(), path.c_str()) != 0) {
        error = IMG_GetError();
        read = false;
    }
    return read;
}
