#pragma once

// The standard colour dialog (ChooseColorA): opened with an initial colour, which may be a
// system colour reference (it is shown resolved); the table of custom colours starts black on
// every call and is not kept.

#include <cstdint>

class QWidget;

class ColorChooserService {
public:
    virtual ~ColorChooserService() = default;
    // Shows the dialog modally over `owner` and returns the chosen colour as 0x00BBGGRR, or −1
    // when the user cancels.
    [[nodiscard]] virtual std::int32_t choose(QWidget* owner, std::int32_t initial) = 0;
};

// QColorDialog, in Japanese through Qt's translation.
class ColorChooser final : public ColorChooserService {
public:
    [[nodiscard]] std::int32_t choose(QWidget* owner, std::int32_t initial) override;
};
