// Stands in for the charts until they are part of the build.
#include "ui/results/output_graphs.h"

#include <QMessageBox>

namespace orvo::ui {

void OpenOutputGraphs(QWidget* parent, const orvo::OutputViewerText& /*viewer*/,
                      const orvo::OutputSelection& /*selection*/, GraphType /*type*/) {
  QMessageBox::information(parent, QStringLiteral("ORVO Builder"),
                           QStringLiteral("Charts are not available in this build."));
}

}  // namespace orvo::ui
