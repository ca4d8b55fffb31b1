#include "ui/network/rect_grid.h"

#include <algorithm>
#include <cmath>

namespace orvo::ui {

namespace {

// About this many boxes share a cell in an evenly filled drawing.
constexpr double kBoxesPerCell = 4.0;
constexpr int kMinCell = 32;
constexpr long long kMaxCells = 1 << 22;
// A box over more cells than this (a long link across the drawing) is listed by every query.
constexpr long long kMaxCellsPerBox = 256;

// The area a box is listed for: a box of no or negative size still has its corner.
QRect Covered(const QRect& box) {
  const QRect normal = box.normalized();
  return QRect(normal.left(), normal.top(), std::max(normal.width(), 1),
               std::max(normal.height(), 1));
}

}  // namespace

void RectGrid::Clear() {
  bounds_ = QRect();
  columns_ = rows_ = 0;
  starts_.clear();
  items_.clear();
  seen_.clear();
  big_.clear();
}

int RectGrid::CellX(double x) const {
  const double cell = std::floor((x - bounds_.left()) / cell_);
  return static_cast<int>(std::clamp(cell, 0.0, static_cast<double>(columns_ - 1)));
}

int RectGrid::CellY(double y) const {
  const double cell = std::floor((y - bounds_.top()) / cell_);
  return static_cast<int>(std::clamp(cell, 0.0, static_cast<double>(rows_ - 1)));
}

void RectGrid::Build(const std::vector<QRect>& boxes) {
  Clear();
  const size_t count = boxes.size();
  for (const QRect& box : boxes) bounds_ |= Covered(box);
  seen_.assign(boxes.size(), 0);
  stamp_ = 0;
  if (count == 0) return;
  const double area = static_cast<double>(bounds_.width()) * bounds_.height();
  cell_ = std::max(kMinCell,
                   static_cast<int>(std::sqrt(area * kBoxesPerCell / static_cast<double>(count))));
  while (static_cast<long long>(bounds_.width() / cell_ + 1) * (bounds_.height() / cell_ + 1) >
         kMaxCells) {
    cell_ *= 2;
  }
  columns_ = bounds_.width() / cell_ + 1;
  rows_ = bounds_.height() / cell_ + 1;

  // Two passes: count per cell, then fill, so the lists live in one allocation.
  starts_.assign(static_cast<size_t>(columns_) * rows_ + 1, 0);
  const auto cells_of = [&](const QRect& box, auto&& visit) {
    const int x0 = CellX(box.left()), x1 = CellX(box.left() + box.width() - 1);
    const int y0 = CellY(box.top()), y1 = CellY(box.top() + box.height() - 1);
    for (int y = y0; y <= y1; ++y) {
      for (int x = x0; x <= x1; ++x) visit(static_cast<size_t>(y) * columns_ + x);
    }
  };
  const auto spans_many = [&](const QRect& box) {
    const long long across = CellX(box.left() + box.width() - 1) - CellX(box.left()) + 1;
    const long long down = CellY(box.top() + box.height() - 1) - CellY(box.top()) + 1;
    return across * down > kMaxCellsPerBox;
  };
  for (size_t i = 0; i < boxes.size(); ++i) {
    const QRect box = Covered(boxes[i]);
    if (spans_many(box)) {
      big_.push_back(static_cast<uint32_t>(i));
      continue;
    }
    cells_of(box, [&](size_t cell) { ++starts_[cell + 1]; });
  }
  for (size_t c = 1; c < starts_.size(); ++c) starts_[c] += starts_[c - 1];
  items_.resize(starts_.back());
  std::vector<uint32_t> next(starts_.begin(), starts_.end() - 1);
  for (size_t i = 0; i < boxes.size(); ++i) {
    const QRect box = Covered(boxes[i]);
    if (spans_many(box)) continue;
    cells_of(box, [&](size_t cell) { items_[next[cell]++] = static_cast<uint32_t>(i); });
  }
}

bool RectGrid::CoversMost(const QRectF& area) const {
  if (columns_ == 0) return false;
  const QRectF covered = area.intersected(QRectF(bounds_));
  return covered.width() * covered.height() >
         0.5 * static_cast<double>(bounds_.width()) * bounds_.height();
}

void RectGrid::Query(const QRectF& area, std::vector<uint32_t>& found) const {
  found.clear();
  if (columns_ == 0 || !area.intersects(QRectF(bounds_))) {
    found.assign(big_.begin(), big_.end());
    return;
  }
  if (++stamp_ == 0) {
    std::fill(seen_.begin(), seen_.end(), 0);
    stamp_ = 1;
  }
  const int x0 = CellX(area.left()), x1 = CellX(area.right());
  const int y0 = CellY(area.top()), y1 = CellY(area.bottom());
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) {
      const size_t cell = static_cast<size_t>(y) * columns_ + x;
      for (uint32_t k = starts_[cell]; k < starts_[cell + 1]; ++k) {
        const uint32_t item = items_[k];
        if (seen_[item] == stamp_) continue;
        seen_[item] = stamp_;
        found.push_back(item);
      }
    }
  }
  found.insert(found.end(), big_.begin(), big_.end());
  std::sort(found.begin(), found.end());
}

}  // namespace orvo::ui
