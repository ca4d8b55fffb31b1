// The desktop program's start-up: the two document types, the start-up picture, the
// command line (a project to open, or a headless picture export) and the start directory.
#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <array>
#include <string>

namespace orvo::ui {

class CMainFrame;

// A document type with its resource text: window title, document name, file-new name,
// filter name, filter extension, registry type id and registry type name, "\n"-separated.
struct DocumentType {
  const char* document_class;
  const char* frame_class;
  const char* view_class;
  const char* resource;
};

enum DocumentTypeField : int {
  kWindowTitle = 0,
  kDocumentName = 1,
  kFileNewName = 2,
  kFilterName = 3,
  kFilterExtension = 4,
  kRegistryTypeId = 5,
  kRegistryTypeName = 6,
};

// The project type first, then the report type.
const std::array<DocumentType, 2>& DocumentTypes();
std::string ResourceField(const DocumentType& type, DocumentTypeField field);

// The borderless window holding the start-up picture. It removes itself at the first key or
// mouse button press anywhere in the program or when its time is up, and then repaints the
// main window.
class StartupPicture : public QWidget {
  Q_OBJECT

 public:
  StartupPicture(QWidget* main_window, int lifetime_ms);
  ~StartupPicture() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void Dismiss();
  QPointer<QWidget> main_window_;
};

struct StartupOptions {
  bool show_picture = true;
  int pause_ms = 1000;    // after the picture appears
  int picture_ms = 4501;  // since the picture appeared
};

// The start directory: the setting "ORVOBuilder CWD", else the program directory's
// "../examples". Empty when neither names an existing directory.
QString StartDirectory();

// Start-up of the main window (the QApplication exists): the picture, the files named by
// arguments, showing the window and changing to the start directory.
CMainFrame* StartDesktop(const QStringList& arguments, const StartupOptions& options);

// orvobuilder --export-picture PROJECT OUT: writes the network picture without any window.
// 0 on success, 1 with a message on standard error otherwise.
int ExportPictureCommand(const QString& project, const QString& out);

// The whole program, from main's arguments.
int RunOrvoBuilder(int argc, char** argv);

}  // namespace orvo::ui
