#include "ui/network/icon_palette.h"

#include <QButtonGroup>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QToolButton>
#include <algorithm>

#include "ui/network/network_painting.h"
#include "ui/shell/qt_platform.h"

namespace orvo::ui {

namespace {

struct Tool {
  const char* text;
  NodePicture picture;
  InteractionMode mode;
};

constexpr Tool kTools[] = {
    {"Surface Water", NodePicture::kSurface, InteractionMode::kPlaceSurface},
    {"Subsurface Water", NodePicture::kSubsurface, InteractionMode::kPlaceSubsurface},
    {"Upper Bed", NodePicture::kUpperBed, InteractionMode::kPlaceUpperBed},
    {"Lower Bed", NodePicture::kLowerBed, InteractionMode::kPlaceLowerBed},
    {"Label", NodePicture::kLabel, InteractionMode::kPlaceLabel}};

const QString kPositionKey = QStringLiteral("Icon Palette/Position");

}  // namespace

IconPalette::IconPalette(QWidget* parent) : QToolBar(QStringLiteral("Icon Palette"), parent) {
  setObjectName(QStringLiteral("icon_palette"));
  // The buttons lie in one row, so the palette docks only above or below the map.
  setAllowedAreas(Qt::TopToolBarArea | Qt::BottomToolBarArea);
  setMovable(true);
  setFloatable(true);
  // Until a main window takes it in, it floats.
  if (qobject_cast<QMainWindow*>(parent) == nullptr) setWindowFlags(Qt::Tool);
  // One row, so that the palette takes little of the map's height: each group's name stands
  // before its buttons, and a narrow window folds the rest into the tool bar's extension menu.
  setIconSize(QSize(24, 24));
  auto* group = new QButtonGroup(this);
  group->setExclusive(false);  // no button stays checked once the mode is left
  const auto add_title = [this](const QString& title) {
    auto* label = new QLabel(title);
    label->setContentsMargins(4, 0, 4, 0);
    label->setForegroundRole(QPalette::PlaceholderText);  // a caption, not a control
    addWidget(label);
  };
  add_title(QStringLiteral("Segment Types"));
  for (size_t i = 0; i < std::size(kTools); ++i) {
    const Tool& tool = kTools[i];
    if (tool.mode == InteractionMode::kPlaceLabel) {
      addSeparator();
      add_title(QStringLiteral("Miscellaneous"));
    }
    auto* button = new QToolButton;
    button->setText(QString::fromLatin1(tool.text));
    button->setToolTip(button->text());
    button->setIcon(QIcon(RenderPicture(tool.picture, QSize(32, 32))));
    button->setIconSize(iconSize());
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setCheckable(true);
    button->setAutoRaise(true);
    group->addButton(button);
    addWidget(button);
    buttons_[i] = button;
    connect(button, &QToolButton::clicked, this, [this, mode = tool.mode] {
      ShowMode(mode);
      emit ModeChosen(mode);
    });
  }
  addSeparator();
  auto* done = new QPushButton(QStringLiteral("Done"));
  done->setObjectName(QStringLiteral("paletteDone"));
  connect(done, &QPushButton::clicked, this, &IconPalette::DoneClicked);
  addWidget(done);
}

void IconPalette::keyPressEvent(QKeyEvent* event) {
  // Escape leaves placing wherever the focus went, as it does in the network view.
  if (event->key() == Qt::Key_Escape) {
    ShowMode(InteractionMode::kSelect);
    emit ModeChosen(InteractionMode::kSelect);
    return;
  }
  QToolBar::keyPressEvent(event);
}

void IconPalette::ShowMode(InteractionMode mode) {
  for (size_t i = 0; i < std::size(kTools); ++i) buttons_[i]->setChecked(kTools[i].mode == mode);
}

QToolButton* IconPalette::ButtonFor(InteractionMode mode) const {
  for (size_t i = 0; i < std::size(kTools); ++i) {
    if (kTools[i].mode == mode) return buttons_[i];
  }
  return nullptr;
}

void IconPalette::PlaceOnScreen() {
  if (!isWindow()) return;
  // Where the user left it last time, as long as it still lies wholly on a screen (a
  // screen may have gone since); otherwise the usual place.
  const QPoint kept =
      QSettings(kSettingsOrganisation, kSettingsApplication).value(kPositionKey).toPoint();
  const QRect wanted(kept, sizeHint());
  for (const QScreen* screen : QGuiApplication::screens()) {
    if (!kept.isNull() && screen->availableGeometry().contains(wanted)) {
      move(kept);
      return;
    }
  }
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  const QRect area = screen->availableGeometry();
  const QPoint place(area.left() + area.width() * 3 / 4, area.top() + area.height() / 4);
  // Never partly off the screen, whatever the palette's size.
  move(std::clamp(place.x(), area.left(), std::max(area.left(), area.right() - width())),
       std::clamp(place.y(), area.top(), std::max(area.top(), area.bottom() - height())));
}

void IconPalette::hideEvent(QHideEvent* event) {
  if (isWindow()) {
    QSettings(kSettingsOrganisation, kSettingsApplication).setValue(kPositionKey, pos());
  }
  QToolBar::hideEvent(event);
}

}  // namespace orvo::ui
