#pragma once

// The platform identifier (GetPlatformId, from GetVersionExA): 2 where a window's background can
// be made transparent by a colour key (Windows of the NT family, or a window system that supports
// window shape masks), 1 elsewhere.

#include <cstdint>

class PlatformIdService {
public:
    virtual ~PlatformIdService() = default;
    [[nodiscard]] virtual std::int16_t platformId() const = 0;
};

// Answers from the running Qt platform plugin: 2 on Windows, X11 and macOS, 1 elsewhere (for
// example Wayland, whose windows cannot be shaped).
class PlatformId final : public PlatformIdService {
public:
    [[nodiscard]] std::int16_t platformId() const override;
};
