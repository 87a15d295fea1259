#pragma once
// Effect: one short-lived thing the effect layer animates over the picture
// (a spark, a splash, a flying piece). It ages with every step and plays
// its picture's frames once over its lifetime, centred on its position.

class Sprite;

class Effect {
public:
    virtual ~Effect() = default;

    // Advances by dt ms; non-zero once the effect is finished (the layer
    // then removes it).
    virtual int step(int dt);
    virtual void render(Sprite& surface);

    Sprite* sprite = nullptr;   // shared picture; null draws nothing
    bool finished = false;
    bool screenBounded = false; // ends when it leaves the picture instead of by age
    int age = 0;                // ms
    int lifetime = 0;           // ms
    float x = 0, y = 0;         // screen pixels
    float vx = 0, vy = 0;       // pixels per ms

protected:
    // The time that shows the frame due at this age: the animation runs
    // once over the lifetime, on pictures cut into frames over 1000 ms.
    int frameTime() const;
    // Ages by dt ms, stopping at the largest age instead of overflowing.
    void addAge(int dt);
};

// A screen position as a pixel, kept far inside the integer range whatever
// a runaway particle's coordinates have become.
int pixelOf(float coordinate);
