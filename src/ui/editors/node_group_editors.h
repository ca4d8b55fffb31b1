// The per-node group editors opened from the segment and exchange dialogs: "Edit Group B
// Parameters (Exchange Data)", "Edit Group C Parameters (Volumes)", "Edit Group D Parameters
// (Flows)", "Edit Group E Parameters (Boundary Concentrations)", "Edit Group F Parameters
// (Waste Loads)" and "Edit Group G Parameters (Parameters)".
//
// Each works on the texts it is given and offers its result after OK; the caller (the kind
// dialog) keeps the result in its own copy and sets it on the node only when the kind dialog
// itself ends with OK. Messages go through the document's platform.
#pragma once

#include <QDialog>
#include <array>
#include <string>
#include <vector>

#include "groups/node_editing.h"

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;
class QTableWidgetItem;

namespace orvo {
class COrvoBuilderDoc;
class Platform;
}  // namespace orvo

namespace orvo::ui {

class GroupBNodeEditor : public QDialog {
  Q_OBJECT

 public:
  GroupBNodeEditor(int field, int surface_count, int pore_count, const std::string& entries,
                   QWidget* parent = nullptr);
  int field() const { return field_; }
  std::string EntriesText() const;
  QTableWidget* grid() const { return grid_; }
  void SetField(int field);

 private:
  void Rebuild();
  void CellChanged(QTableWidgetItem* item);

  int field_;
  int surface_count_;
  int pore_count_;
  std::vector<std::string> entries_;
  std::string original_;
  bool entries_changed_ = false;
  QButtonGroup* type_ = nullptr;
  QTableWidget* grid_ = nullptr;
  bool filling_ = false;
};

// The seven group C values of a segment as parameter texts.
struct GroupCValues {
  std::string segment_type;  // list position, "-1" unset
  std::string IBOTSEG;
  std::string BVOL;
  std::string VMULT;
  std::string VEXP;
  std::string DMULT;
  std::string DXP;
  bool operator==(const GroupCValues&) const = default;
};

class GroupCNodeEditor : public QDialog {
  Q_OBJECT

 public:
  GroupCNodeEditor(Platform& platform, const GroupCValues& values, int noseg,
                   const std::string& units, double CONVV, QWidget* parent = nullptr);
  const GroupCValues& values() const { return values_; }
  void accept() override;

 private:
  void VolumeChanged();

  Platform& platform_;
  GroupCValues values_;
  int noseg_;
  double CONVV_;
  QComboBox* type_ = nullptr;
  QLineEdit* ibotseg_ = nullptr;
  QLineEdit* bvol_ = nullptr;
  QLabel* adjusted_ = nullptr;
  QLineEdit* vmult_ = nullptr;
  QLineEdit* vexp_ = nullptr;
  QLineEdit* dmult_ = nullptr;
  QLineEdit* dxp_ = nullptr;
};

class GroupDNodeEditor : public QDialog {
  Q_OBJECT

 public:
  GroupDNodeEditor(Platform& platform, const node_editing::PortionLists& portions,
                   QWidget* parent = nullptr);
  const node_editing::PortionLists& portions() const { return portions_; }
  QTableWidget* grid() const { return grid_; }

 private:
  void CellChanged(QTableWidgetItem* item);
  void ShowCell(int field, int column);

  Platform& platform_;
  node_editing::PortionLists portions_;
  QTableWidget* grid_ = nullptr;
  bool filling_ = false;
};

// Groups E and F: one function per system, edited in place or in the time-function editor.
class SystemFunctionEditor : public QDialog {
  Q_OBJECT

 public:
  enum Group { kBoundaries, kLoads };
  // texts: one display text per system (at least `systems`); breaks: group E break counts.
  SystemFunctionEditor(Group group, Platform& platform, SimulationType simtyp, int systems,
                       const std::vector<std::string>& texts, const std::vector<int>& breaks,
                       QWidget* parent = nullptr);
  const std::vector<std::string>& texts() const { return texts_; }
  QTableWidget* grid() const { return grid_; }

 public slots:
  void EditTimeFunction();

 private:
  void CellChanged(QTableWidgetItem* item);
  void SetRowText(int row, const std::string& text);
  int Breaks(int row) const;

  Group group_;
  Platform& platform_;
  std::vector<std::string> texts_;
  std::vector<int> breaks_;
  QTableWidget* grid_ = nullptr;
  bool filling_ = false;
};

class GroupGNodeEditor : public QDialog {
  Q_OBJECT

 public:
  GroupGNodeEditor(Platform& platform, SimulationType simtyp,
                   const std::vector<node_editing::ParameterPair>& pairs,
                   QWidget* parent = nullptr);
  const std::vector<node_editing::ParameterPair>& pairs() const { return pairs_; }
  QTableWidget* grid() const { return grid_; }

 public slots:
  void UseDefaultLabels();

 private:
  void CellChanged(QTableWidgetItem* item);
  void Fill();

  Platform& platform_;
  SimulationType simtyp_;
  std::vector<node_editing::ParameterPair> pairs_;
  QTableWidget* grid_ = nullptr;
  bool filling_ = false;
};

// A per-node editor whose group has nothing to edit yet (no systems, no functions) says so
// instead, with a button that opens the global editor of group (its "Open Group X Editor").
// true when that editor was opened and closed with OK, so that the caller may look again.
bool OfferGlobalEditor(QWidget* parent, COrvoBuilderDoc& doc, char group, const QString& missing);

}  // namespace orvo::ui
