#pragma once
#include <cstdint>
#include <string>

class CGame;

// The failures of the machine that end a run: a device, or a resource the
// platform makes, that cannot be had.
enum class DeviceFailure : uint8_t {
    DisplayMode,
    BackBuffer,
    Present,
    Picture,
    Font,
    Input,
    Audio,
};

// Writes the failure's log line (the same text on every run, so a story's
// tests can compare the log), then the platform's own account of it on
// stderr as "tabi: <detail>", and asks the game to end with a failure.
void ReportDeviceFailure(CGame& game, DeviceFailure failure, const std::string& detail);
