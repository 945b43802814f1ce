#pragma once
// How the device sequences reach the user. The window shows these in its skinned message box; the
// command-line tool prints them; tests record them.

#include <string_view>

namespace voltrane {

class DeviceMessages {
public:
    virtual ~DeviceMessages() = default;
    // Shows `text` titled `title`, with the OK button in `language`; returns when the user closed it.
    virtual void ShowMsgBox(std::u16string_view text, std::u16string_view title, int language) = 0;
};

}  // namespace voltrane
