// The buttons of the main window that stand for the entries of the block and sequence
// lists, one per entry and one more for adding an entry.
#pragma once

#include <string>

namespace velmora {

struct ListButton {
    std::string name;
    std::string caption;
    bool red = false;  // the caption is drawn in red (a block linked with "oder")
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

inline constexpr const char* kListButtonFont = "courier new";
inline constexpr int kListButtonFontSize = 9;

}  // namespace velmora
