// ProjectDocumentationDialog: the two windows of the revisions of one project file.
// "Project Documentation- Open" lists the revisions with the archive's description and each
// revision's log message, and checks one out over the working file ("Open Version");
// "Project Documentation - Save" checks the working file in as the next revision with an
// optional name and a documentation text ("Save New Version"). Both delete revisions.
//
// The window reads the revisions when it is made; every RCS program runs to its end while the
// window waits. Messages and questions go through the platform.
#pragma once

#include <QDialog>
#include <string>

#include "vcs/rcs_class.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace orvo::ui {

class ProjectDocumentationDialog : public QDialog {
  Q_OBJECT

 public:
  enum class Mode { kOpen, kSave };

  // path: the project file, in the local 8-bit encoding.
  ProjectDocumentationDialog(Mode mode, const std::string& path, Platform& platform,
                             QWidget* parent = nullptr);

  // After the window was accepted: the revision checked out (Open) or checked in (Save).
  const std::string& done_revision() const { return done_revision_; }
  const RCSClass& record() const { return record_; }

  // The buttons. "Open Version" and "Save New Version" end the window once they succeeded.
  void OpenVersion();
  void DeleteVersion();
  void SaveNewVersion();

  QLabel* list_label() const { return list_label_; }
  QListWidget* list() const { return list_; }
  QLabel* description_label() const { return description_label_; }
  QPlainTextEdit* description_box() const { return description_; }
  QLabel* log_label() const { return log_label_; }
  QPlainTextEdit* log_box() const { return log_; }
  QLineEdit* name_edit() const { return name_; }       // Save only
  QPlainTextEdit* text_edit() const { return text_; }  // Save only
  QPushButton* open_button() const { return open_; }   // Open only
  QPushButton* save_button() const { return save_; }   // Save only
  QPushButton* delete_button() const { return delete_; }
  QPushButton* close_button() const { return close_; }

 private:
  // The list and the description from the record, nothing selected.
  void Fill();
  // The log message of the selected revision.
  void ShowSelected();
  // The selected revision's index in the record, or -1.
  int Selected() const;

  Mode mode_;
  RCSClass record_;
  std::string done_revision_;
  QLabel* list_label_;
  QListWidget* list_;
  QLabel* description_label_;
  QPlainTextEdit* description_;
  QLabel* log_label_;
  QPlainTextEdit* log_;
  QLineEdit* name_ = nullptr;
  QPlainTextEdit* text_ = nullptr;
  QPushButton* open_ = nullptr;
  QPushButton* save_ = nullptr;
  QPushButton* delete_;
  QPushButton* close_;
};

}  // namespace orvo::ui
