#pragma once
// The platform a Game holds: pointers to the machine's services (presentation/platform.h).

namespace veloria {

class Clock;
class Display;
class AudioDevice;
class JoystickDevice;
class Shell;
class Diagnostics;
struct SaveSlots;

struct Platform {
    Clock* clock = nullptr;
    Display* display = nullptr;
    AudioDevice* audio = nullptr;
    JoystickDevice* joystick = nullptr;
    Shell* shell = nullptr;
    const SaveSlots* saveSlots = nullptr;  // null: every slot in the game directory
    Diagnostics* diagnostics = nullptr;    // null: warnings are dropped
    // The game directory every content name is relative to (the back ends are given the same
    // one); null or empty: the working directory.
    const char* contentRoot = nullptr;
};

}  // namespace veloria
