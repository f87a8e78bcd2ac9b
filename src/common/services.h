#pragma once
// The process-wide objects, created once by the entry point (or by a test) and
// handed to every window.
class WorkImage;
class RegisterLink;
class Prompts;
class Clock;
struct AppState;

struct Services {
    WorkImage& image;
    RegisterLink& link;
    AppState& app;
    Prompts& prompts;
    Clock& clock;
};
