// Stand-in simulation programs for the window tests that start model runs, and the output
// viewers a run leaves open.
#pragma once

#include <QApplication>
#include <QFile>
#include <fstream>
#include <string>

#include "ui/results/output_viewer_window.h"

namespace orvo::testing {

// Writes a shell script that takes the place of a simulation program.
inline void StandIn(const QString& path, const std::string& script) {
  std::ofstream(path.toStdString(), std::ios::binary) << "#!/bin/sh\n" << script;
  QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner);
}

inline QList<ui::OutputViewerWindow*> Viewers() {
  QList<ui::OutputViewerWindow*> viewers;
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    auto* viewer = qobject_cast<ui::OutputViewerWindow*>(widget);
    if (viewer != nullptr && viewer->isVisible()) viewers << viewer;
  }
  return viewers;
}

}  // namespace orvo::testing
