// The sensitivity analysis dialogs of groups B to H and J ("Card B Input (Exchanges)" ...
// "Sensitivity Analysis for Group J"): what to vary, chosen from the core's selection lists,
// and the values to run (the range fields). "Generate" asks for the analysis parameters and
// the file name, writes the family's files and starts the runs in the background with their
// progress window (StartFamilyWithProgress); the dialog stays open until "Cancel". The
// dialogs are modeless, so that the output viewer that opens at the end can be used beside
// them; one per project and group, closed with the project.
#pragma once

#include <QDialog>
#include <memory>
#include <vector>

#include "model/project_document.h"
#include "runs/sensitivity.h"
#include "ui/results/model_runs.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace orvo::ui {

class SensitivityDialog : public QDialog, public DocumentObserver {
  Q_OBJECT

 public:
  // Shows the dialog of group (kVaryB ... kVaryJ) for the context's project, raising the one
  // open already.
  static SensitivityDialog* ShowFor(const ModelRunContext& context, int group);
  static SensitivityDialog* Find(const COrvoBuilderDoc& document, int group);
  // Closes the project's dialogs (its document is about to go).
  static void CloseFor(const COrvoBuilderDoc& document);

  ~SensitivityDialog() override;

  int group() const { return group_; }
  COrvoBuilderDoc& document() const;
  // What the selection widgets choose now.
  virtual SensitivityChoice Choice() const = 0;
  AmountRule Rule() const;
  RangeRules rules() const;

  // "Generate", as clicking it does it.
  void OnGenerate();

  QLineEdit* minimum_field() const { return minimum_; }
  QLineEdit* maximum_field() const { return maximum_; }
  QLineEdit* increment_field() const { return increment_; }
  QLineEdit* runs_field() const { return runs_; }
  QPlainTextEdit* intervals_field() const { return intervals_; }
  QLabel* minimum_label() const { return minimum_label_; }
  QLabel* maximum_label() const { return maximum_label_; }
  QLabel* intervals_label() const { return intervals_label_; }
  QLabel* unit_label() const { return unit_; }
  QRadioButton* percentage_button() const { return percentage_; }
  QRadioButton* value_button() const { return value_; }
  QCheckBox* additive_box() const { return additive_; }
  QLineEdit* current_value_field() const { return current_; }
  QPushButton* generate_button() const { return generate_; }
  QPushButton* cancel_button() const { return cancel_; }

  void OnDocumentUpdate(UpdateHint hint, int node_number) override;

 protected:
  SensitivityDialog(const ModelRunContext& context, int group, const QString& title,
                    QWidget* parent);
  // Builds the range fields and the buttons below the selection the subclass put into
  // selection_layout(); call at the end of the subclass's constructor.
  void Finish();
  QGridLayout* selection_layout() const { return selection_; }
  // The lists from the document again (after a change of the project).
  virtual void Reload() = 0;
  // "Current Value:" (and group J's range) for the present choice.
  virtual void ShowCurrentValue();
  // Multi-selection list helpers.
  static QListWidget* NewList(QWidget* parent, const QString& name);
  static void FillNumbers(QListWidget* list, const std::vector<int>& numbers);
  static std::vector<int> SelectedData(const QListWidget* list);
  static std::vector<int> SelectedRows(const QListWidget* list);
  // Adds "label" above widget in column column of the selection.
  void AddLabelled(const QString& label, QWidget* widget, int row, int column, int row_span = 1);

  ModelRunContext context_;

 private:
  void TakeNumber(QLineEdit* field);
  void ShowFields();
  void ShowAmountMode();
  void ShowRunState();

  int group_;
  RangeFields fields_;
  QGridLayout* selection_;
  QLineEdit* minimum_ = nullptr;
  QLineEdit* maximum_ = nullptr;
  QLineEdit* increment_ = nullptr;
  QLineEdit* runs_ = nullptr;
  QPlainTextEdit* intervals_ = nullptr;
  QLabel* minimum_label_ = nullptr;
  QLabel* maximum_label_ = nullptr;
  QLabel* intervals_label_ = nullptr;
  QLabel* unit_ = nullptr;
  QRadioButton* percentage_ = nullptr;
  QRadioButton* value_ = nullptr;
  QCheckBox* additive_ = nullptr;
  QLineEdit* current_ = nullptr;
  QPushButton* generate_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

// The dialogs of the groups, by their system names.
class SensitivityDlgB : public SensitivityDialog {
  Q_OBJECT
 public:
  SensitivityDlgB(const ModelRunContext& context, QWidget* parent = nullptr);
  SensitivityChoice Choice() const override;
  QComboBox* field_list() const { return field_; }
  QComboBox* variable_list() const { return variable_; }
  QListWidget* function_list() const { return functions_; }
  QListWidget* exchange_list() const { return exchanges_; }

 protected:
  void Reload() override;

 private:
  void FillExchanges();
  QComboBox* field_;
  QComboBox* variable_;
  QListWidget* functions_;
  QListWidget* exchanges_;
};

class SensitivityDlgC : public SensitivityDialog {
  Q_OBJECT
 public:
  SensitivityDlgC(const ModelRunContext& context, QWidget* parent = nullptr);
  SensitivityChoice Choice() const override;
  QComboBox* item_list() const { return item_; }
  QListWidget* segment_list() const { return segments_; }

 protected:
  void Reload() override;

 private:
  QComboBox* item_;
  QListWidget* segments_;
};

class SensitivityDlgD : public SensitivityDialog {
  Q_OBJECT
 public:
  SensitivityDlgD(const ModelRunContext& context, QWidget* parent = nullptr);
  SensitivityChoice Choice() const override;
  QListWidget* field_list() const { return fields_; }
  QListWidget* function_list() const { return functions_; }

 protected:
  void Reload() override;

 private:
  QListWidget* fields_;
  QListWidget* functions_;
};

// Groups E and F: the segments with boundary data (E) or loads (F) for the chosen system.
class SensitivityDlgEF : public SensitivityDialog {
  Q_OBJECT
 public:
  SensitivityDlgEF(const ModelRunContext& context, int group, QWidget* parent = nullptr);
  SensitivityChoice Choice() const override;
  QComboBox* system_list() const { return system_; }
  QListWidget* segment_list() const { return segments_; }

 protected:
  void Reload() override;

 private:
  void FillSegments();
  QComboBox* system_;
  QListWidget* segments_;
};

class SensitivityDlgG : public SensitivityDialog {
  Q_OBJECT
 public:
  SensitivityDlgG(const ModelRunContext& context, QWidget* parent = nullptr);
  SensitivityChoice Choice() const override;
  QComboBox* parameter_list() const { return parameter_; }
  QListWidget* segment_list() const { return segments_; }

 protected:
  void Reload() override;

 private:
  std::vector<int> slots_;
  QComboBox* parameter_;
  QListWidget* segments_;
};

class SensitivityDlgH : public SensitivityDialog {
  Q_OBJECT
 public:
  SensitivityDlgH(const ModelRunContext& context, QWidget* parent = nullptr);
  SensitivityChoice Choice() const override;
  QComboBox* system_list() const { return system_; }
  QComboBox* field_list() const { return field_; }
  QComboBox* constant_list() const { return constant_; }

 protected:
  void Reload() override;

 private:
  void FillFields();
  void FillConstants();
  QComboBox* system_;
  QComboBox* field_;
  QComboBox* constant_;
  QLineEdit* range_;
  QLineEdit* range_to_;
};

class SensitivityDlgJ : public SensitivityDialog {
  Q_OBJECT
 public:
  SensitivityDlgJ(const ModelRunContext& context, QWidget* parent = nullptr);
  SensitivityChoice Choice() const override;
  QComboBox* system_list() const { return system_; }
  QRadioButton* initial_button() const { return initial_; }
  QRadioButton* dissolved_button() const { return dissolved_; }
  QListWidget* segment_list() const { return segments_; }
  QLineEdit* range_field() const { return range_; }
  QLineEdit* range_to_field() const { return range_to_; }

 protected:
  void Reload() override;
  void ShowCurrentValue() override;

 private:
  QComboBox* system_;
  QRadioButton* initial_;
  QRadioButton* dissolved_;
  QListWidget* segments_;
  QLineEdit* range_;
  QLineEdit* range_to_;
};

}  // namespace orvo::ui
