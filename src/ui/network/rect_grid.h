// A spatial index of rectangles on a uniform grid: which of them an area of the drawing may
// show, found in time that follows the area rather than the number of rectangles.
#pragma once

#include <QRect>
#include <QRectF>
#include <cstdint>
#include <vector>

namespace orvo::ui {

class RectGrid {
 public:
  // Indexes boxes by their position in the vector.
  void Build(const std::vector<QRect>& boxes);
  void Clear();

  // The indexes of the boxes that may meet area, ascending and each once (a box meeting no
  // cell of the area is never listed; one listed may still miss the area by less than a cell).
  void Query(const QRectF& area, std::vector<uint32_t>& found) const;
  // True when area covers so much of the grid that walking every box is cheaper.
  bool CoversMost(const QRectF& area) const;

 private:
  int CellX(double x) const;
  int CellY(double y) const;

  QRect bounds_;
  int cell_ = 1;
  int columns_ = 0;
  int rows_ = 0;
  // Compressed rows: the boxes of cell c are items_[starts_[c] .. starts_[c + 1]).
  std::vector<uint32_t> starts_;
  std::vector<uint32_t> items_;
  std::vector<uint32_t> big_;           // boxes over too many cells to list in each
  mutable std::vector<uint32_t> seen_;  // query stamps per box, to list each once
  mutable uint32_t stamp_ = 0;
};

}  // namespace orvo::ui
