// "&Edit Project Parameters": a small modeless window per project with one button per data
// group, each opening that group's global editor, and "OK" to hide it again. It is made on
// first use and shown again afterwards; the owner closes it with the project.
#pragma once

#include <QDialog>
#include <functional>

class QPushButton;

namespace orvo {
class COrvoBuilderDoc;
}

namespace orvo::ui {

class ProjectParametersWindow : public QDialog {
  Q_OBJECT

 public:
  explicit ProjectParametersWindow(COrvoBuilderDoc& document, QWidget* parent = nullptr);

  // The window of document (null when none was made), looked up among the open windows.
  static ProjectParametersWindow* Find(const COrvoBuilderDoc& document);
  // The document's window, made on first use, shown and brought to the front.
  static ProjectParametersWindow* ShowFor(COrvoBuilderDoc& document, QWidget* parent);
  // Destroys the document's window, if any; called before the document goes away.
  static void CloseFor(const COrvoBuilderDoc& document);

  COrvoBuilderDoc& document() const { return *document_; }

  // Called with the group letter after its editor closed with OK (the document changed), so
  // the owner can refresh what depends on the groups. A shown card completion matrix is
  // rebuilt before the hook runs.
  void SetAcceptedHook(std::function<void(char group)> hook) { accepted_hook_ = std::move(hook); }

  // The button of group letter 'A' to 'J'; null for any other letter.
  QPushButton* GroupButton(char group) const;

 public slots:
  // Runs the editor of the group; true when it closed with OK.
  bool EditGroup(char group);

 private:
  COrvoBuilderDoc* document_;
  std::function<void(char)> accepted_hook_;
  QPushButton* buttons_[10] = {};
};

}  // namespace orvo::ui
