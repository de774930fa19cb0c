#pragma once
// A board held in memory, standing in for the main window in tests and in the
// fuzz targets: the 32 piece images and 90 point images of the stored layout,
// a lookup that ignores case, the grid, and a send that records messages (or
// fails on demand, as the UDP endpoint can).

#include <algorithm>
#include <cctype>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "game/BoardLayout.h"
#include "game/BoardState.h"

namespace corvane::test_support {

class InMemoryImage : public game::BoardImage {
public:
    explicit InMemoryImage(std::string name) : name_(std::move(name)) {}

    std::string name() const override { return name_; }
    int left() const override { return left_; }
    int top() const override { return top_; }
    void setLeft(int left) override { left_ = left; }
    void setTop(int top) override { top_ = top; }
    int tag() const override { return tag_; }
    void setTag(int tag) override { tag_ = tag; }
    bool isVisible() const override { return visible_; }
    void setVisible(bool visible) override { visible_ = visible; }
    game::DragMode dragMode() const override { return dragMode_; }
    void setDragMode(game::DragMode mode) override { dragMode_ = mode; }

    bool draggable() const { return dragMode_ == game::DragMode::Automatic; }

    auto state() const { return std::make_tuple(left_, top_, tag_, visible_, dragMode_); }

private:
    std::string name_;
    int left_ = 0;
    int top_ = 0;
    int tag_ = 0;
    bool visible_ = true;
    game::DragMode dragMode_ = game::DragMode::Automatic;
};

// Everything the board holds, for comparing a board before and after.
struct BoardSnapshot {
    std::map<std::string, std::tuple<int, int, int, bool, game::DragMode>> images;
    game::OccupancyGrid grid;

    bool operator==(const BoardSnapshot& other) const
    {
        return images == other.images && grid.cells() == other.grid.cells();
    }
};

class InMemoryBoard : public game::BoardState {
public:
    // The stored window layout: point images at their places with tag 0,
    // pieces visible and draggable at their starting places with tag 0, and
    // an all-zero grid, as before the first board reset.
    InMemoryBoard()
    {
        for (const game::PointInfo& point : game::pointTable()) {
            InMemoryImage& image = add(point.name);
            image.setLeft(point.left);
            image.setTop(point.top);
        }
        for (const game::PieceInfo& piece : game::pieceTable()) {
            InMemoryImage& image = add(std::string(piece.name));
            const game::PointInfo* start = game::findPoint(piece.startPointImage);
            image.setLeft(start->left);
            image.setTop(start->top);
        }
    }

    game::BoardImage* findImage(std::string_view name) override
    {
        ++lookups;
        const auto found = images_.find(lower(name));
        return found == images_.end() ? nullptr : found->second.get();
    }

    game::OccupancyGrid& grid() override { return grid_; }

    void sendMessage(const std::string& bytes) override
    {
        if (!sendError.empty())
            throw std::runtime_error(sendError);
        sent.push_back(bytes);
        if (onSend)
            onSend(bytes);
    }

    // The image named exactly so; the test is wrong when it does not exist.
    InMemoryImage& image(std::string_view name)
    {
        const auto found = images_.find(lower(name));
        if (found == images_.end())
            throw std::logic_error("no image " + std::string(name));
        return *found->second;
    }

    InMemoryImage& point(int row, int column) { return image(game::pointImageName(row, column)); }

    // Takes an image out of the window, to see that nothing touches a missing one.
    void removeImage(std::string_view name) { images_.erase(lower(name)); }

    // Moves `piece` onto (row, column) without any rule, for setting up positions:
    // its old grid cell (if on the board) is cleared and the new one set.
    void place(std::string_view piece, int row, int column)
    {
        InMemoryImage& image = this->image(piece);
        const int oldRow = image.tag() >= 100 ? 10 : image.tag() / 10;
        const int oldColumn = image.tag() % 10;
        if (game::OccupancyGrid::contains(oldRow, oldColumn) && image.isVisible())
            grid_.set(oldRow, oldColumn, 0);
        image.setTag(row * 10 + column);
        image.setLeft(game::pointLeft(column));
        image.setTop(game::pointTop(row));
        image.setVisible(true);
        grid_.set(row, column, 1);
    }

    // Removes `piece` from the board (hidden, its cell cleared).
    void takeOff(std::string_view piece)
    {
        InMemoryImage& image = this->image(piece);
        const int row = image.tag() >= 100 ? 10 : image.tag() / 10;
        const int column = image.tag() % 10;
        if (game::OccupancyGrid::contains(row, column))
            grid_.set(row, column, 0);
        image.setVisible(false);
    }

    // An empty board: every piece hidden, every cell 0 (point tags kept).
    void clearPieces()
    {
        for (const game::PieceInfo& piece : game::pieceTable())
            image(piece.name).setVisible(false);
        grid_.clear();
    }

    void setAllDragModes(game::DragMode mode)
    {
        for (const game::PieceInfo& piece : game::pieceTable())
            image(piece.name).setDragMode(mode);
    }

    BoardSnapshot snapshot() const
    {
        BoardSnapshot shot;
        for (const auto& [key, image] : images_)
            shot.images[image->name()] = image->state();
        shot.grid = grid_;
        return shot;
    }

    std::vector<std::string> sent;   // every message sent, in order
    std::string sendError;           // when not empty, sendMessage throws with this text
    std::function<void(const std::string&)> onSend;  // called after a successful send
    int lookups = 0;

private:
    static std::string lower(std::string_view name)
    {
        std::string text(name);
        std::transform(text.begin(), text.end(), text.begin(),
                       [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
        return text;
    }

    InMemoryImage& add(const std::string& name)
    {
        auto image = std::make_unique<InMemoryImage>(name);
        InMemoryImage& ref = *image;
        images_[lower(name)] = std::move(image);
        return ref;
    }

    std::map<std::string, std::unique_ptr<InMemoryImage>> images_;
    game::OccupancyGrid grid_;
};

} // namespace corvane::test_support
