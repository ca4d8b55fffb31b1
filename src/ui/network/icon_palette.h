// "Icon Palette": the tool bar whose picture buttons choose what a left click on empty space of
// the network view places. In a project window it docks above or below the map or floats on
// its own, and the window keeps where it was; alone (no main window around it) it is a small
// floating tool window. The mode itself belongs to the project's view state; the palette only
// reports the choice and shows the current one.
#pragma once

#include <QToolBar>
#include <array>

#include "ui/network/view_state.h"

class QToolButton;

namespace orvo::ui {

class IconPalette : public QToolBar {
  Q_OBJECT

 public:
  explicit IconPalette(QWidget* parent = nullptr);

  // Checks the button of a placing mode; any other mode checks none.
  void ShowMode(InteractionMode mode);
  // The button that sets a placing mode, for tests; null for other modes.
  QToolButton* ButtonFor(InteractionMode mode) const;
  // A floating palette: where it was when last hidden (kept in the settings) if that lies on
  // a screen, else with its top-left corner at 75 % of the screen width and 25 % of its
  // height. A docked one stays where its window keeps it.
  void PlaceOnScreen();

 signals:
  void ModeChosen(InteractionMode mode);
  void DoneClicked();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  std::array<QToolButton*, 5> buttons_{};
};

}  // namespace orvo::ui
