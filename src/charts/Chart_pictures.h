// The pictures of the three reference charts: what each one shows, the guide
// it leads to and where its drawing lives.
#pragma once

#include <QString>

#include <array>

namespace vexo {

// The charts share one array of pictures, indices 0 to 39; 26 is not used.
constexpr int kFirst_picture = 0;
constexpr int kLast_picture = 39;
constexpr int kUnused_picture = 26;
constexpr int kPicture_slots = kLast_picture + 1;

struct Chart_range {
    qint16 first;
    qint16 last;
    const char* name;    // "Placards", "Road" or "Rail"
};
inline constexpr Chart_range kPlacards_range{0, 25, "Placards"};
inline constexpr Chart_range kRoad_range{27, 34, "Road"};
inline constexpr Chart_range kRail_range{35, 39, "Rail"};

struct Chart_picture_info {
    const char* tool_tip; // nullptr for the unused slot
    const char* tag;      // guide number to open, "" for none
};

// By picture index.
const std::array<Chart_picture_info, kPicture_slots>& Chart_pictures();

// The drawing of a picture, in the program's resources.
QString Chart_picture_file(int index);

} // namespace vexo
