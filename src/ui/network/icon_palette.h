// "Icon Palette": the small floating tool window whose picture buttons choose what a left
// click on empty space of the network view places. The mode itself belongs to the document;
// the palette only reports the choice and shows the current one.
#pragma once

#include <QWidget>
#include <array>

class QToolButton;

namespace orvo::ui {

class IconPalette : public QWidget {
  Q_OBJECT

 public:
  explicit IconPalette(QWidget* parent = nullptr);

  // Checks the button of a placing mode (1 to 4, 6); any other mode checks none.
  void ShowMode(int mode);
  // The button that sets a placing mode, for tests; null for other modes.
  QToolButton* ButtonFor(int mode) const;
  // Where it was when last hidden (kept in the settings) if that lies on a screen, else
  // with its top-left corner at 75 % of the screen width and 25 % of its height.
  void PlaceOnScreen();

 signals:
  void ModeChosen(int mode);
  void DoneClicked();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  std::array<QToolButton*, 5> buttons_{};
};

}  // namespace orvo::ui
