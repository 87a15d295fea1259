#include "app/demo_hand.h"

#include <algorithm>
#include <cmath>

#include "platform/backend.h"

void DemoHand::push(Action::Kind kind, int x, int y, int durationMs) {
    Action action;
    action.kind = kind;
    action.x = x;
    action.y = y;
    action.durationMs = durationMs;
    actions_.push_back(action);
}

void DemoHand::glideTo(int x, int y) {
    const double distance = std::hypot(double(x - queuedX_), double(y - queuedY_));
    const int ms = std::max(kShortestGlideMs, int(distance * 1000.0 / kPixelsPerSecond));
    push(Action::Kind::Glide, x, y, ms);
    queuedX_ = x;
    queuedY_ = y;
}

void DemoHand::click(int x, int y) {
    glideTo(x, y);
    pause(kAimMs);
    push(Action::Kind::Press, x, y, 0);
    pause(kHoldMs);
    push(Action::Kind::Release, x, y, 0);
    pause(kRestMs);
}

void DemoHand::drag(int ax, int ay, int bx, int by) {
    glideTo(ax, ay);
    pause(kAimMs);
    push(Action::Kind::Press, ax, ay, 0);
    pause(kHoldMs);
    glideTo(bx, by);
    push(Action::Kind::Release, bx, by, 0);
    pause(kRestMs);
}

void DemoHand::pause(int milliseconds) { push(Action::Kind::Pause, 0, 0, milliseconds); }

void DemoHand::step(int milliseconds, platform::Backend& backend) {
    int left = milliseconds;
    while (!actions_.empty()) {
        Action& action = actions_.front();
        switch (action.kind) {
        case Action::Kind::Press:
        case Action::Kind::Release:
            backend.pressHand(action.kind == Action::Kind::Press, action.x, action.y);
            x_ = action.x;
            y_ = action.y;
            actions_.pop_front();
            continue;
        case Action::Kind::Pause:
        case Action::Kind::Glide: {
            if (!action.started) {
                action.started = true;
                action.fromX = x_;
                action.fromY = y_;
            }
            const int used = std::min(left, action.durationMs - action.elapsedMs);
            action.elapsedMs += used;
            left -= used;
            if (action.kind == Action::Kind::Glide) {
                // Quick at first, slowing as the pointer nears its mark.
                const double t = action.durationMs > 0 ? double(action.elapsedMs) / action.durationMs : 1.0;
                const double eased = 1.0 - (1.0 - t) * (1.0 - t);
                const int nx = action.fromX + int(std::lround((action.x - action.fromX) * eased));
                const int ny = action.fromY + int(std::lround((action.y - action.fromY) * eased));
                if (nx != x_ || ny != y_) backend.moveHand(nx, ny);
                x_ = nx;
                y_ = ny;
            }
            if (action.elapsedMs < action.durationMs) return;
            actions_.pop_front();
            // A move or a wait uses up this step's time: one move per frame.
            if (left <= 0) return;
            continue;
        }
        }
    }
}
