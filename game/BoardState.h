#pragma once
// The position lives in the main window's images and one occupancy grid.
// The game code reaches them only through this interface, which the main
// window implements (and tests implement in memory), so game/ needs no Qt.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace corvane::game {

// Whether pressing the mouse on a piece image starts a drag. Locking pieces
// (Manual) is the only way turns are enforced.
enum class DragMode { Automatic, Manual };

// One piece image or point image of the board, found by its component name.
class BoardImage {
public:
    virtual ~BoardImage() = default;

    virtual std::string name() const = 0;  // the component name, e.g. "Image13"
    virtual int left() const = 0;
    virtual int top() const = 0;
    virtual void setLeft(int left) = 0;
    virtual void setTop(int top) = 0;
    virtual int tag() const = 0;            // the point code of the image's point
    virtual void setTag(int tag) = 0;
    virtual bool isVisible() const = 0;
    virtual void setVisible(bool visible) = 0;
    virtual DragMode dragMode() const = 0;
    virtual void setDragMode(DragMode mode) = 0;
};

// 10 rows x 9 columns of bytes, row by row: 1 where a piece stands, 0 where the
// point is empty. Rows 1..10 and columns 1..9; callers never pass anything else.
class OccupancyGrid {
public:
    static constexpr int Rows = 10;
    static constexpr int Columns = 9;

    std::uint8_t at(int row, int column) const { return cells_[index(row, column)]; }
    void set(int row, int column, std::uint8_t value) { cells_[index(row, column)] = value; }
    void clear() { cells_.fill(0); }
    const std::array<std::uint8_t, Rows * Columns>& cells() const { return cells_; }

    static bool contains(int row, int column)
    {
        return row >= 1 && row <= Rows && column >= 1 && column <= Columns;
    }

private:
    static std::size_t index(int row, int column)
    {
        return static_cast<std::size_t>(Columns * (row - 1) + (column - 1));
    }

    std::array<std::uint8_t, Rows * Columns> cells_{};
};

// What the board code needs of the window that owns the position.
class BoardState {
public:
    virtual ~BoardState() = default;

    // The image whose component name equals `name` ignoring letter case, or
    // nullptr when the window has no such image.
    virtual BoardImage* findImage(std::string_view name) = 0;

    virtual OccupancyGrid& grid() = 0;

    // Sends one game message (its GBK bytes) to the peer as one datagram.
    // Throws when the send fails; the caller then stops where it is.
    virtual void sendMessage(const std::string& bytes) = 0;
};

} // namespace corvane::game
