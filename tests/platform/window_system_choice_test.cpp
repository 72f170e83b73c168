// Which window system the programs start on: X under a Wayland desktop that has one, unless the
// user chose.

#include "platform/window_system_choice.h"
#include "tests/support/scoped_environment.h"

#include <gtest/gtest.h>
#include <optional>

namespace {

// Runs the choice with the three variables set as given (nullopt = unset) and returns
// QT_QPA_PLATFORM afterwards (nullopt = unset) and whether the choice set it.
std::pair<std::optional<QByteArray>, bool> choose(std::optional<QByteArray> platform,
                                                  std::optional<QByteArray> wayland,
                                                  std::optional<QByteArray> display) {
    const ScopedEnvironment keepPlatform("QT_QPA_PLATFORM", "");
    const ScopedEnvironment keepWayland("WAYLAND_DISPLAY", "");
    const ScopedEnvironment keepDisplay("DISPLAY", "");
    for (const auto& [name, value] :
         {std::pair{"QT_QPA_PLATFORM", platform}, std::pair{"WAYLAND_DISPLAY", wayland},
          std::pair{"DISPLAY", display}}) {
        if (value) {
            qputenv(name, *value);
        } else {
            qunsetenv(name);
        }
    }
    const bool set = PreferXWaylandOnWayland();
    std::optional<QByteArray> result;
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        result = qgetenv("QT_QPA_PLATFORM");
    }
    return {result, set};
}

} // namespace

TEST(WindowSystemChoice, WaylandWithAnXServerStartsOnXUnlessTheUserChose) {
    EXPECT_EQ(choose(std::nullopt, "wayland-0", ":0"),
              std::pair(std::optional<QByteArray>("xcb;wayland"), true));
    // The user's own choice stands, also an empty one.
    EXPECT_EQ(choose("wayland", "wayland-0", ":0"),
              std::pair(std::optional<QByteArray>("wayland"), false));
    EXPECT_EQ(choose("", "wayland-0", ":0"), std::pair(std::optional<QByteArray>(""), false));
    // No X server to go to, or no Wayland desktop: nothing is chosen.
    EXPECT_EQ(choose(std::nullopt, "wayland-0", std::nullopt),
              std::pair(std::optional<QByteArray>(), false));
    EXPECT_EQ(choose(std::nullopt, std::nullopt, ":0"),
              std::pair(std::optional<QByteArray>(), false));
}
