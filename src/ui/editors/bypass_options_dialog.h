// "Edit Bypass Options": the check list of the systems to bypass, shared by the global
// editors of groups A, B and D. Entries are "1" (bypassed) or "0", one per system.
#pragma once

#include <QDialog>
#include <optional>
#include <string>
#include <vector>

#include "model/model_vocabulary.h"

class QListWidget;

namespace orvo::ui {

class BypassOptionsDialog : public QDialog {
  Q_OBJECT

 public:
  // One line per entry, named by the simulation type's system names; a line the type has no
  // name for is named by its system number.
  BypassOptionsDialog(SimulationType simtyp, const std::vector<std::string>& entries,
                      QWidget* parent = nullptr);

  // Modal; the new entries on OK, nothing on Cancel.
  static std::optional<std::vector<std::string>> Edit(QWidget* parent, SimulationType simtyp,
                                                      const std::vector<std::string>& entries);

  // "1" for every checked line, "0" for the others, in list order.
  std::vector<std::string> Entries() const;
  QListWidget* list() const { return list_; }

 private:
  QListWidget* list_ = nullptr;
};

}  // namespace orvo::ui
