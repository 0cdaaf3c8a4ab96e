#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <string>

// The items of the three grids, as the training window shows them.
namespace training {

// Pending items are teal (pictures transparent), the current item of a
// character or word run red, answered items navy (pictures opaque).
enum class ItemLook { Pending, Current, Answered };

struct GridItem {
    bool visible = false;
    ItemLook look = ItemLook::Pending;
    std::string text;       // GBK bytes of a character or word
    QString code;           // the digits to type; the item's tooltip
    QStringList otherCodes; // reviews: the item's other codes, also taken as right
    QString picturePath;    // picture items: the bitmap's full path
    bool operator==(const GridItem&) const = default;
};

// Where the grids' cells lie in their page panels: the first cell's corner
// and the pitch from one cell to the next, across and down. The window
// places the items by it; the flow moves the answer box along it.
struct GridGeometry {
    int left, top, dx, dy;
};
constexpr GridGeometry kPictureGrid{8, 8, 60, 72};
constexpr GridGeometry kCharGrid{8, 6, 37, 63};
constexpr GridGeometry kWordGrid{2, 1, 126, 49};

struct Grids {
    std::array<GridItem, 60> pictures;
    std::array<GridItem, 119> characters;
    std::array<GridItem, 45> words;
};

} // namespace training
