#include "platform/sdl_backend.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/display_loss.h"
#include "platform/frame_changes.h"
#include "platform/key_mapping.h"
#include "platform/picture_scaler.h"
#include "platform/sdl_virtual_pad.h"
#include "platform/pad_input.h"
#include "platform/latin1_text.h"
#include "platform/script.h"
#include "platform/sdl_pad_events.h"
#include "platform/window_messages.h"

namespace platform {
namespace {

constexpr char kNoDisplayAdvice[] = "start with --headless to run without a window";

// A renderer that draws with the processor: SDL's own software renderer, or
// OpenGL on a rasteriser in software (Mesa's llvmpipe and softpipe, as under
// Xvfb or on a machine without a graphics driver). Either scales and sends
// the whole window for every frame, however little of it changed.
bool drawsInSoftware(SDL_Renderer* renderer) {
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(renderer, &info) != 0 || (info.flags & SDL_RENDERER_SOFTWARE)) return true;
    if (!info.name || std::strncmp(info.name, "opengl", 6) != 0) return false;
    // The renderer's context is current once it is made.
    using GetString = const unsigned char* (*)(unsigned int);
    auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    constexpr unsigned int kGlRenderer = 0x1F01;
    const auto* name = getString ? reinterpret_cast<const char*>(getString(kGlRenderer)) : nullptr;
    if (!name) return false;
    for (const char* soft : {"llvmpipe", "softpipe", "Software Rasterizer", "swrast"})
        if (std::strstr(name, soft)) return true;
    return false;
}

// Window surfaces we draw into ourselves: 32 bits, red, green, blue from the top.
bool isXrgbSurface(const SDL_Surface* surface) {
    const SDL_PixelFormat* f = surface ? surface->format : nullptr;
    return f && f->BytesPerPixel == 4 && f->Rmask == 0xFF0000u && f->Gmask == 0x00FF00u && f->Bmask == 0x0000FFu;
}

class SdlBackend : public Backend {
public:
    ~SdlBackend() override {
        // The ordinary shutdown has closed the window by now. A window still
        // open means the process is ending from inside a library, as when
        // the display's connection is lost and the X library calls exit:
        // talking to that display again would wait for it for ever, so the
        // window is left to the end of the process.
        if (window_) return;
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    bool isHeadless() const override { return false; }

    void playPadScript(std::vector<ScriptCommand> commands) {
        padScript_ = std::make_unique<VirtualPadScript>(std::move(commands));
    }

    bool createWindow(const std::string& title, const WindowPlacement& placement) override {
        window_ = SDL_CreateWindow(title.c_str(), placement.x, placement.y, std::max(1, placement.width),
                                   std::max(1, placement.height),
                                   SDL_WINDOW_BORDERLESS | SDL_WINDOW_RESIZABLE | SDL_WINDOW_SHOWN);
        if (!window_) {
            std::fprintf(stderr, "shardfall: cannot create the window: %s\n", SDL_GetError());
            return false;
        }
        SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
        renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_PRESENTVSYNC);
        if (!renderer_ || drawsInSoftware(renderer_)) takeWindowSurface();
        if (!renderer_ && !drawsOwnSurface_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
        if (renderer_) SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
        if (renderer_) applyRendererScaling();
        SDL_StartTextInput();
        return true;
    }

    void destroyWindow() override {
        if (texture_) SDL_DestroyTexture(texture_);
        if (renderer_) SDL_DestroyRenderer(renderer_);
        if (window_) SDL_DestroyWindow(window_);
        texture_ = nullptr;
        renderer_ = nullptr;
        window_ = nullptr;
        drawsOwnSurface_ = false;
    }

    bool hasWindow() const override { return window_ != nullptr; }
    void minimizeWindow() override {
        if (window_) SDL_MinimizeWindow(window_);
    }
    void restoreWindow() override {
        if (window_) SDL_RestoreWindow(window_);
    }
    // Restored if minimised, shown, on top and focused. Minimising first and
    // restoring at once, the old trick to come to the front, races with the
    // window manager, which may carry out the two in either order and leave
    // the window minimised.
    void raiseWindow() override {
        if (!window_) return;
        if (SDL_GetWindowFlags(window_) & SDL_WINDOW_MINIMIZED) SDL_RestoreWindow(window_);
        SDL_ShowWindow(window_);
        SDL_RaiseWindow(window_);
        SDL_SetWindowInputFocus(window_);
        pointerStale_ = mustShow_ = true;
    }

    void placeWindow(const WindowPlacement& client, bool bordered) override {
        if (!window_ || fullScreen_) return;
        SDL_SetWindowBordered(window_, bordered ? SDL_TRUE : SDL_FALSE);
        SDL_SetWindowSize(window_, std::max(1, client.width), std::max(1, client.height));
        SDL_SetWindowPosition(window_, client.x, client.y);
    }

    WindowPlacement clientPlacement() const override {
        WindowPlacement placement;
        if (!window_) return placement;
        SDL_GetWindowPosition(window_, &placement.x, &placement.y);
        SDL_GetWindowSize(window_, &placement.width, &placement.height);
        // A window is placed by its frame's corner (the window manager puts
        // the frame where it is asked to) but reports where its client area
        // is: give the place that puts it back here, or every round trip
        // would move it by the frame.
        int top = 0, left = 0, bottom = 0, right = 0;
        if (SDL_GetWindowBordersSize(window_, &top, &left, &bottom, &right) == 0) {
            placement.x -= left;
            placement.y -= top;
        }
        return placement;
    }

    void setFullScreen(bool fullScreen) override {
        if (!window_ || fullScreen == fullScreen_) return;
        fullScreen_ = fullScreen;
        SDL_SetWindowFullscreen(window_, fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
        pointerStale_ = mustShow_ = true;
    }

    void setScaling(Scaling scaling) override {
        if (scaling == scaling_) return;
        scaling_ = scaling;
        if (renderer_) applyRendererScaling();
        pointerStale_ = mustShow_ = true;
    }

    int screenWidth() const override { return desktopMode().w; }
    int screenHeight() const override { return desktopMode().h; }
    WindowPlacement usableArea() const override {
        SDL_Rect r;
        const int display = window_ ? std::max(0, SDL_GetWindowDisplayIndex(window_)) : 0;
        if (SDL_GetDisplayUsableBounds(display, &r) != 0 || r.w <= 0 || r.h <= 0) return Backend::usableArea();
        return {r.x, r.y, r.w, r.h};
    }

    void pumpEvents(MessageQueue& queue) override {
        SDL_Event event;
        if (padScript_) padScript_->run(SDL_GetTicks(), queue);
        while (SDL_PollEvent(&event)) translate(event, queue);
        tickPads(queue, SDL_GetTicks());
        if (pointerStale_) takePointerPosition(queue);
    }

    void waitEvents() override { SDL_WaitEventTimeout(nullptr, 100); }

    std::int64_t performanceCounter() const override { return static_cast<std::int64_t>(SDL_GetPerformanceCounter()); }
    std::int64_t performanceFrequency() const override {
        return static_cast<std::int64_t>(SDL_GetPerformanceFrequency());
    }
    std::uint32_t tickCount() const override { return SDL_GetTicks(); }
    void sleep(std::uint32_t milliseconds) override { SDL_Delay(milliseconds); }
    void frameDone() override {}

    void present(const std::uint16_t* pixels, int width, int height, int pitchBytes, PixelLayout layout,
                 const Rect& clip) override {
        if (!pixels || width <= 0 || height <= 0) return;
        pictureWidth_ = width;
        pictureHeight_ = height;
        if (drawsOwnSurface_) presentOnSurface(pixels, width, height, pitchBytes, layout, clip);
        else if (renderer_) presentWithRenderer(pixels, width, height, pitchBytes, layout, clip);
    }

    CursorHandle createCursor(const CursorImage& image) override {
        if (!image.pixels || image.width <= 0 || image.height <= 0) return 0;
        SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(image.pixels, image.width, image.height, 32,
                                                                  image.width * 4, SDL_PIXELFORMAT_ARGB8888);
        if (!surface) return 0;
        SDL_Cursor* cursor = SDL_CreateColorCursor(surface, image.hotX, image.hotY);
        SDL_FreeSurface(surface);
        return reinterpret_cast<CursorHandle>(cursor);
    }
    void destroyCursor(CursorHandle cursor) override {
        if (cursor) SDL_FreeCursor(reinterpret_cast<SDL_Cursor*>(cursor));
    }
    void setCursor(CursorHandle cursor) override {
        if (cursor) SDL_SetCursor(reinterpret_cast<SDL_Cursor*>(cursor));
    }
    void showSystemCursor(bool show) override { SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE); }

    bool cursorPosition(int& x, int& y) const override {
        if (!window_ || SDL_GetMouseFocus() != window_) {
            x = y = -1;  // outside the client area
            return true;
        }
        x = mouseX_;
        y = mouseY_;
        return true;
    }

    // The system pointer goes where the hand goes, so a player watching the
    // demo sees it move; the game hears of it at once, as from a real mouse.
    void moveHand(int x, int y) override {
        if (window_) {
            int windowX = x, windowY = y;
            pictureToWindow(x, y, windowX, windowY);
            SDL_WarpMouseInWindow(window_, windowX, windowY);
        }
        mouseX_ = x;
        mouseY_ = y;
        messageQueue().post(WM_MOUSEMOVE, buttonFlags(), packMousePosition(x, y));
    }
    void pressHand(bool down, int x, int y) override {
        if (x != mouseX_ || y != mouseY_) moveHand(x, y);
        handHeld_ = down;
        messageQueue().post(down ? WM_LBUTTONDOWN : WM_LBUTTONUP, buttonFlags(), packMousePosition(x, y));
    }

    void messageBox(const std::string& text, const std::string& caption) override {
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, caption.c_str(), text.c_str(), window_);
    }

private:
    // Gives up a renderer that draws in software for the window's own
    // surface, which we draw into: only the changed parts of each frame are
    // scaled and sent to the window.
    void takeWindowSurface() {
        if (renderer_) SDL_DestroyRenderer(renderer_);
        renderer_ = nullptr;
        // The surface itself must not be a renderer's texture in disguise.
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        drawsOwnSurface_ = isXrgbSurface(SDL_GetWindowSurface(window_));
    }

    // Sharp: whole multiples of the picture, each pixel a square; the
    // renderer keeps its logical size, so the mouse maps back the same way.
    void applyRendererScaling() {
        const bool sharp = scaling_ == Scaling::Sharp;
        SDL_RenderSetIntegerScale(renderer_, sharp ? SDL_TRUE : SDL_FALSE);
        if (texture_) SDL_SetTextureScaleMode(texture_, sharp ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
    }

    // The picture as a texture the renderer scales into the window: the
    // changed parts are uploaded, and the whole is shown again.
    void presentWithRenderer(const std::uint16_t* pixels, int width, int height, int pitchBytes, PixelLayout layout,
                             const Rect& clip) {
        const Uint32 format = layout == PixelLayout::Rgb565 ? SDL_PIXELFORMAT_RGB565 : SDL_PIXELFORMAT_RGB555;
        if (!texture_ || textureWidth_ != width || textureHeight_ != height || textureFormat_ != format) {
            if (texture_) SDL_DestroyTexture(texture_);
            texture_ = SDL_CreateTexture(renderer_, format, SDL_TEXTUREACCESS_STREAMING, width, height);
            textureWidth_ = width;
            textureHeight_ = height;
            textureFormat_ = format;
            mustShow_ = true;
            if (!texture_) return;
            // Mouse positions come back in picture pixels, whatever the window's size.
            SDL_RenderSetLogicalSize(renderer_, width, height);
            applyRendererScaling();
        }
        // An unchanged picture is not shown again: the renderer (often a
        // software one) would only scale and copy the same pixels fifty
        // times a second while the game idles.
        const std::vector<Rect> changed = changes_.take(pixels, width, height, pitchBytes, clip, mustShow_);
        if (changed.empty() && !mustShow_) return;
        mustShow_ = false;
        if (!changed.empty()) {
            Rect box = changed.front();
            for (const Rect& r : changed) {
                box.left = std::min(box.left, r.left);
                box.top = std::min(box.top, r.top);
                box.right = std::max(box.right, r.right);
                box.bottom = std::max(box.bottom, r.bottom);
            }
            const SDL_Rect area{box.left, box.top, box.right - box.left, box.bottom - box.top};
            const auto* first = reinterpret_cast<const std::uint8_t*>(pixels) +
                                static_cast<std::ptrdiff_t>(area.y) * pitchBytes + area.x * 2;
            SDL_UpdateTexture(texture_, &area, first, pitchBytes);
        }
        SDL_RenderClear(renderer_);
        SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
        SDL_RenderPresent(renderer_);
    }

    // The picture scaled into the window's surface by us, only where it
    // changed; the window is sent just those rectangles.
    void presentOnSurface(const std::uint16_t* pixels, int width, int height, int pitchBytes, PixelLayout layout,
                          const Rect& clip) {
        SDL_Surface* surface = SDL_GetWindowSurface(window_);
        if (!isXrgbSurface(surface)) return;
        const bool fresh = mustShow_ || surface->w != surfaceWidth_ || surface->h != surfaceHeight_;
        // A fresh surface holds nothing yet: the whole picture goes in.
        const Rect area = fresh ? Rect{0, 0, width, height} : clip;
        const std::vector<Rect> changed = changes_.take(pixels, width, height, pitchBytes, area, fresh);
        if (changed.empty() && !fresh) return;
        scaler_.setGeometry(width, height, surface->w, surface->h, scaling_);
        if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) {
            mustShow_ = true;  // the changes just taken were not drawn
            return;
        }
        WindowPixels target{static_cast<std::uint32_t*>(surface->pixels), surface->w, surface->h, surface->pitch};
        if (fresh) scaler_.drawBars(target);
        std::vector<SDL_Rect> sent;
        for (const Rect& r : changed) {
            const Rect w = scaler_.draw(pixels, pitchBytes, layout, r, target);
            if (w.right > w.left && w.bottom > w.top) sent.push_back({w.left, w.top, w.right - w.left, w.bottom - w.top});
        }
        if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
        if (fresh) SDL_UpdateWindowSurface(window_);
        else if (!sent.empty()) SDL_UpdateWindowSurfaceRects(window_, sent.data(), int(sent.size()));
        surfaceWidth_ = surface->w;
        surfaceHeight_ = surface->h;
        mustShow_ = false;
    }

    // Where the picture lies in the window as it is now, for the mouse when
    // we draw the window ourselves.
    PictureFit windowFit() const {
        int width = 0, height = 0;
        if (window_) SDL_GetWindowSize(window_, &width, &height);
        return fitPicture(pictureWidth_, pictureHeight_, width, height, scaling_);
    }
    void windowToPicture(int windowX, int windowY, int& x, int& y) const {
        if (renderer_) {
            float pictureX = float(windowX), pictureY = float(windowY);
            SDL_RenderWindowToLogical(renderer_, windowX, windowY, &pictureX, &pictureY);
            x = int(pictureX);
            y = int(pictureY);
        } else {
            windowFit().toPicture(windowX, windowY, x, y);
        }
    }
    void pictureToWindow(int x, int y, int& windowX, int& windowY) const {
        if (renderer_) SDL_RenderLogicalToWindow(renderer_, float(x), float(y), &windowX, &windowY);
        else windowFit().toWindow(x, y, windowX, windowY);
    }
    // Event positions: the renderer's logical size has already mapped them.
    void eventToPicture(int windowX, int windowY) {
        if (renderer_) {
            mouseX_ = windowX;
            mouseY_ = windowY;
        } else {
            windowToPicture(windowX, windowY, mouseX_, mouseY_);
        }
    }

    // The window appeared, moved, took a new size or left full screen while
    // the mouse may have kept still: the position SDL last reported belongs
    // to the old geometry, and the cursor would be drawn, and a click aimed,
    // where the pointer no longer is. The pointer's real place is read from
    // the system instead and passed on as a move.
    void takePointerPosition(MessageQueue& queue) {
        pointerStale_ = false;
        if (!window_) return;
        int screenX = 0, screenY = 0, windowX = 0, windowY = 0, width = 0, height = 0;
        SDL_GetGlobalMouseState(&screenX, &screenY);
        SDL_GetWindowPosition(window_, &windowX, &windowY);
        SDL_GetWindowSize(window_, &width, &height);
        const int x = screenX - windowX, y = screenY - windowY;
        if (x < 0 || y < 0 || x >= width || y >= height) return;
        int px = x, py = y;
        windowToPicture(x, y, px, py);
        if (px == mouseX_ && py == mouseY_) return;
        // Clicks report where SDL believes the mouse is; moving it there (it
        // is there already) brings that belief up to date as well.
        SDL_WarpMouseInWindow(window_, x, y);
        mouseX_ = px;
        mouseY_ = py;
        queue.post(WM_MOUSEMOVE, buttonFlags(), packMousePosition(mouseX_, mouseY_));
    }

    SDL_DisplayMode desktopMode() const {
        SDL_DisplayMode mode{};
        int index = window_ ? SDL_GetWindowDisplayIndex(window_) : 0;
        if (SDL_GetDesktopDisplayMode(std::max(0, index), &mode) != 0) {
            mode.w = 1024;
            mode.h = 768;
        }
        return mode;
    }

    WParam buttonFlags() const {
        const Uint32 state = SDL_GetMouseState(nullptr, nullptr);
        return ((state & SDL_BUTTON_LMASK) || handHeld_ ? MK_LBUTTON : 0) | ((state & SDL_BUTTON_RMASK) ? MK_RBUTTON : 0);
    }

    void translate(const SDL_Event& event, MessageQueue& queue) {
        switch (event.type) {
        case SDL_QUIT:
            queue.post(WM_CLOSE);
            break;
        case SDL_WINDOWEVENT:
            translateWindowEvent(event.window, queue);
            break;
        case SDL_RENDER_TARGETS_RESET:
        case SDL_RENDER_DEVICE_RESET:
            mustShow_ = true;
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            noteKeyboardOrMouseInput();
            const WParam vk = virtualKeyFromSdl(event.key.keysym.sym);
            if (vk == 0) break;
            const bool release = event.type == SDL_KEYUP;
            const bool alt = (event.key.keysym.mod & KMOD_ALT) != 0 || vk == VK_MENU;
            LParam lParam = packKeyLParam(release, alt, event.key.keysym.scancode);
            if (!release && event.key.repeat) lParam |= KEY_WAS_DOWN;
            const std::uint32_t message =
                alt ? (release ? WM_SYSKEYUP : WM_SYSKEYDOWN) : (release ? WM_KEYUP : WM_KEYDOWN);
            queue.post(message, vk, lParam);
            break;
        }
        case SDL_TEXTINPUT:
            noteKeyboardOrMouseInput();
            for (char c : utf8ToLatin1(event.text.text))
                queue.post(WM_CHAR, static_cast<unsigned char>(c), packKeyLParam(false, false));
            break;
        case SDL_MOUSEMOTION:
            eventToPicture(event.motion.x, event.motion.y);
            queue.post(WM_MOUSEMOVE, buttonFlags(), packMousePosition(mouseX_, mouseY_));
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            noteKeyboardOrMouseInput();
            const bool left = event.button.button == SDL_BUTTON_LEFT;
            if (!left && event.button.button != SDL_BUTTON_RIGHT) break;
            eventToPicture(event.button.x, event.button.y);
            const bool doubleClick = event.button.clicks >= 2 && event.button.clicks % 2 == 0;
            std::uint32_t message;
            if (event.type == SDL_MOUSEBUTTONUP)
                message = left ? WM_LBUTTONUP : WM_RBUTTONUP;
            else if (doubleClick)
                message = left ? WM_LBUTTONDBLCLK : WM_RBUTTONDBLCLK;
            else
                message = left ? WM_LBUTTONDOWN : WM_RBUTTONDOWN;
            queue.post(message, buttonFlags(), packMousePosition(mouseX_, mouseY_));
            break;
        }
        default:
            translatePadEvent(event, queue);
            break;
        }
    }

    void translateWindowEvent(const SDL_WindowEvent& event, MessageQueue& queue) {
        switch (event.event) {
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_MOVED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            pointerStale_ = true;
            mustShow_ = true;
            break;
        case SDL_WINDOWEVENT_EXPOSED:
            mustShow_ = true;
            break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            queue.post(WM_ACTIVATEAPP, 1, 0);
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            postFocusLost(queue);
            break;
        case SDL_WINDOWEVENT_MINIMIZED:
            queue.post(WM_SIZE, SIZE_MINIMIZED, 0);
            break;
        case SDL_WINDOWEVENT_RESTORED:
            pointerStale_ = mustShow_ = true;
            queue.post(WM_SIZE, SIZE_RESTORED, packMousePosition(pictureWidth_, pictureHeight_));
            break;
        case SDL_WINDOWEVENT_MAXIMIZED:
            pointerStale_ = mustShow_ = true;
            queue.post(WM_SIZE, SIZE_MAXIMIZED, packMousePosition(pictureWidth_, pictureHeight_));
            break;
        case SDL_WINDOWEVENT_CLOSE:
            queue.post(WM_CLOSE);
            break;
        default:
            break;
        }
    }

    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    int textureWidth_ = 0, textureHeight_ = 0;
    Uint32 textureFormat_ = 0;
    bool fullScreen_ = false;
    Scaling scaling_ = Scaling::Smooth;
    int mouseX_ = -1, mouseY_ = -1;
    bool handHeld_ = false;  // the demo's hand holds the left button
    bool pointerStale_ = true;  // also before the window first appears
    FrameChanges changes_;  // against the picture the window shows
    bool mustShow_ = true;
    int pictureWidth_ = 0, pictureHeight_ = 0;
    // Drawing into the window's surface ourselves, instead of a renderer.
    bool drawsOwnSurface_ = false;
    PictureScaler scaler_;
    int surfaceWidth_ = 0, surfaceHeight_ = 0;
    std::unique_ptr<VirtualPadScript> padScript_;
};

}  // namespace

std::unique_ptr<Backend> createSdlBackend(std::vector<ScriptCommand> padScript) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "shardfall: no display available (%s); %s\n", SDL_GetError(), kNoDisplayAdvice);
        return nullptr;
    }
    // Without a display SDL falls back to drivers that draw nowhere: the game
    // would run on, invisible, for ever.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0)) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        std::fprintf(stderr, "shardfall: no display available; %s\n", kNoDisplayAdvice);
        return nullptr;
    }
    endWhenDisplayIsLost(driver);
    startPadSupport();
    auto backend = std::make_unique<SdlBackend>();
    if (!padScript.empty()) backend->playPadScript(std::move(padScript));
    return backend;
}

}  // namespace platform
