// CMainFrame: the program's main window, a multiple-document frame with the menus, the tool
// bar and the one-pane status bar. It holds no project data: each project belongs to its
// windows (CChildFrame), and every command goes to the active project, its view or the core.
#pragma once

#include <QMainWindow>
#include <QStringList>
#include <memory>
#include <string>
#include <vector>

#include "ui/results/model_runs.h"
#include "ui/shell/qt_platform.h"

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QPrinter;

namespace orvo::ui {

class CChildFrame;
class COrvoBuilderView;
class CReportChildFrame;
struct OpenProject;

// The most recently opened or saved project files, newest first, kept in the settings store.
class RecentFileList {
 public:
  static constexpr int kSize = 4;
  RecentFileList();
  const QStringList& files() const { return files_; }
  void Add(const QString& path);
  void Remove(const QString& path);

 private:
  void Store() const;
  QStringList files_;
};

class CMainFrame : public QMainWindow {
  Q_OBJECT

 public:
  explicit CMainFrame(QWidget* parent = nullptr);
  ~CMainFrame() override;

  QtPlatform& platform() { return platform_; }
  const RecentFileList& recent_files() const { return recent_files_; }
  CChildFrame* ActiveFrame() const;
  COrvoBuilderView* ActiveView() const;
  QMdiArea* mdi_area() const { return mdi_; }

  // File commands without their dialogs. Open shows the core's message and opens nothing
  // when the file cannot be read; a project already open is brought forward instead. A report
  // file (".orr" in any case) opens through OpenReport, and OpenFile gives null for it.
  CChildFrame* NewProject();
  CChildFrame* OpenFile(const QString& path);
  CReportChildFrame* NewReport();
  CReportChildFrame* OpenReport(const QString& path);
  // The report window the commands go to, or null when a project window (or none) is active.
  CReportChildFrame* ActiveReport() const;
  // Save to path (the project's own when empty; the chooser when it has none). A failed save
  // keeps the project modified.
  bool SaveProject(CChildFrame& frame, const QString& path = {});
  // "Read ORVO Input Dataset" after its question and chooser, as one undo step; false when
  // the deck could not be used (the project unchanged).
  bool ReadDataset(CChildFrame& frame, const std::string& path);
  // "Write ORVO Input Dataset" after its chooser: ".inp" is added by the naming rule, and a
  // different file that exists is replaced only when the user agrees.
  bool WriteDataset(CChildFrame& frame, const std::string& chosen);
  // "Import..." of group letter 'B' to 'J', or 0 for "Import All Groups", after the
  // simulation-type check, as one undo step.
  bool ImportGroups(CChildFrame& frame, char group);
  // The question on closing a modified project: Yes saves, No discards, Cancel keeps it.
  bool SaveModified(CChildFrame& frame);

  // Enables, checks and names the commands for the active window.
  void UpdateCommandState();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  QAction* AddCommand(QMenu* menu, const QString& text, const char* status,
                      void (CMainFrame::*handler)());
  void CreateMenus();
  void CreateFileMenu();
  void CreateEditMenu();
  void CreateOrvoMenu();
  void CreateViewMenu();
  void CreateWindowMenu();
  void CreateHelpMenu();
  void CreateToolBar();
  void FillRecentFiles();
  void FillWindowList();
  CChildFrame* AddFrame(std::shared_ptr<OpenProject> project);
  CChildFrame* FindOpen(const QString& path) const;
  void Remember(const QString& path);

  // Command handlers.
  void OnFileNew();
  void OnFileNewReport();
  CReportChildFrame* AddReportFrame(CReportChildFrame* frame);
  QMdiSubWindow* ActiveWindow() const;
  void OnFileOpen();
  void OnReviewChanges();
  void OnDocumentChanges();
  void OnFileClose();
  void OnFileSave();
  void OnFileSaveAs();
  void OnExportPicture();
  void OnFilePrint();
  void OnFilePrintPreview();
  void OnFilePrintSetup();
  void OnEditUndo();
  void OnEditRedo();
  void OnFindSegment();
  void OnEditProperties();
  void OnAddSegmentInterface();
  void OnAddInflow();
  void OnAddOutflow();
  void OnDelete();
  void OnSetFontAsDefault();
  void OnToggleAnchorLines();
  void OnTether();
  void OnUntether();
  void OnReadDataset();
  void OnWriteDataset();
  void OnLocateExecutables();
  void OnExecuteOrvo();
  void OnExecuteFile();
  void OnViewOutput();
  void OnSensitivity(char group);
  ModelRunContext RunContext(CChildFrame& frame);
  void OnEditProjectParameters();
  void OnEditValueRanges();
  void OnCheckCompleteness();
  void OnImport(char group);
  void OnZoomIn();
  void OnZoomOut();
  void OnZoomFit();
  void OnDisplayPalette();
  void OnNewWindow();
  void OnArrangeIcons();
  void OnResizeWindow();
  void OnHelpTopics();
  void OnDatasetHelp();
  void OnAbout();

  QtPlatform platform_;
  RecentFileList recent_files_;
  QMdiArea* mdi_;
  std::unique_ptr<QPrinter> printer_;
  int untitled_count_ = 0;
  int untitled_reports_ = 0;
  bool destroying_ = false;
  // Actions shown only while a project window is active, and those never enabled yet.
  std::vector<QAction*> project_only_;
  QMenu* recent_menu_ = nullptr;
  QMenu* window_menu_ = nullptr;
  QAction* recent_separator_ = nullptr;
  QAction* undo_ = nullptr;
  QAction* redo_ = nullptr;
  QAction* close_ = nullptr;
  QAction* save_ = nullptr;
  std::vector<QAction*> document_commands_;  // for projects and reports alike
  QAction* anchor_lines_ = nullptr;
  QAction* palette_ = nullptr;
  QAction* properties_ = nullptr;
  QAction* segment_table_ = nullptr;
  std::vector<QAction*> need_node_;     // a selected node
  std::vector<QAction*> need_segment_;  // a selected segment
  std::vector<QAction*> need_no_run_;   // no model run of the project going (deck, runs)
  QAction* set_font_default_ = nullptr;
  QAction* delete_ = nullptr;
  std::vector<QAction*> recent_actions_;
};

}  // namespace orvo::ui
