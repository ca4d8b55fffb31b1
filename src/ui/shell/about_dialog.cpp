#include "ui/shell/about_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>
#include <QtGlobal>

#include "ui/shell/version.h"

namespace orvo::ui {

QString VersionLine() {
  QString line = QStringLiteral("Version ") + QString::fromUtf8(OrvoVersion());
  const QString commit = QString::fromUtf8(OrvoCommit());
  if (!commit.isEmpty()) line += QStringLiteral(" (commit ") + commit + u')';
  return line;
}

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("About ORVO Builder"));
  auto* picture = new QLabel(this);
  picture->setPixmap(QIcon(QStringLiteral(":/shell/orvobuilder.svg")).pixmap(64, 64));
  picture->setAlignment(Qt::AlignTop);
  auto* name = new QLabel(QStringLiteral("<b>ORVO Builder</b>"), this);
  name->setObjectName(QStringLiteral("name"));
  auto* version = new QLabel(VersionLine(), this);
  version->setObjectName(QStringLiteral("version"));
  version->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* about =
      new QLabel(QStringLiteral("An editor for the input datasets of the ORVO5 simulation programs "
                                "FENU5, VERDA5 and KOBAL5."),
                 this);
  about->setWordWrap(true);
  auto* licence = new QLabel(QStringLiteral("Released under the MIT licence."), this);
  licence->setObjectName(QStringLiteral("licence"));
  auto* qt = new QLabel(QStringLiteral("Built with Qt %1, running on Qt %2.")
                            .arg(QStringLiteral(QT_VERSION_STR), QString::fromUtf8(qVersion())),
                        this);
  qt->setObjectName(QStringLiteral("qt"));

  auto* text = new QVBoxLayout;
  for (QLabel* label : {name, version, about, licence, qt}) text->addWidget(label);
  auto* row = new QHBoxLayout;
  row->addWidget(picture);
  row->addSpacing(12);
  row->addLayout(text, 1);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addWidget(buttons);
  setMinimumWidth(420);
}

}  // namespace orvo::ui
