#include "ui/shell/main_frame.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QDir>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include "deck/deck_reader.h"
#include "deck/deck_writer.h"
#include "deck/group_import.h"
#include "groups/group_editing.h"
#include "model/model_vocabulary.h"
#include "runs/model_execution.h"
#include "ui/editors/project_parameters_window.h"
#include "ui/help/help_window.h"
#include "ui/network/network_legend.h"
#include "ui/network/network_picture.h"
#include "ui/network/network_view.h"
#include "ui/report/report_frame.h"
#include "ui/results/input_plot_dialog.h"
#include "ui/results/results_dock.h"
#include "ui/revisions/revision_commands.h"
#include "ui/sensitivity/sensitivity_dialog.h"
#include "ui/shell/about_dialog.h"
#include "ui/shell/application.h"
#include "ui/shell/child_frame.h"
#include "ui/shell/window_layout.h"
#include "ui/validation/card_completion_matrix.h"
#include "ui/validation/valid_ranges_dialog.h"
#include "ui/widgets/stored_text.h"

// Resources of a static library are registered by name, from the global namespace.
void InitShellResources();
void InitShellResources() {
  Q_INIT_RESOURCE(shell);
}

namespace orvo::ui {
namespace {

const QString kAppTitle = QStringLiteral("ORVO Builder");
const char* const kDeckFilter = "ORVO input files (*.inp)|*.inp|All Files (*.*)|*.*||";
const QString kRecentGroup = QStringLiteral("Recent File List");

// The chooser filter of the project type, from its resource text.
QString ProjectFilter() {
  const DocumentType& project = DocumentTypes()[0];
  return QtFileFilter(ResourceField(project, kFilterName) + "|*" +
                      ResourceField(project, kFilterExtension) + "|All Files (*.*)|*.*||");
}

QString ProjectExtension() {
  return QString::fromStdString(ResourceField(DocumentTypes()[0], kFilterExtension));
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Recent files

RecentFileList::RecentFileList() {
  QSettings settings(kSettingsOrganisation, kSettingsApplication);
  for (int i = 1; i <= kSize; ++i) {
    const QString file =
        settings.value(kRecentGroup + QStringLiteral("/File") + QString::number(i)).toString();
    if (!file.isEmpty() && !files_.contains(file)) files_ << file;
  }
}

void RecentFileList::Add(const QString& path) {
  files_.removeAll(path);
  files_.prepend(path);
  while (files_.size() > kSize) files_.removeLast();
  Store();
}

void RecentFileList::Remove(const QString& path) {
  files_.removeAll(path);
  Store();
}

void RecentFileList::Store() const {
  QSettings settings(kSettingsOrganisation, kSettingsApplication);
  for (int i = 1; i <= kSize; ++i) {
    const QString key = kRecentGroup + QStringLiteral("/File") + QString::number(i);
    if (i <= files_.size()) {
      settings.setValue(key, files_[i - 1]);
    } else {
      settings.remove(key);
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Construction

CMainFrame::CMainFrame(QWidget* parent)
    : QMainWindow(parent), platform_(this), mdi_(new QMdiArea(this)) {
  InitShellResources();
  setWindowTitle(kAppTitle + QStringLiteral("[*]"));
  setWindowIcon(QIcon(QStringLiteral(":/shell/orvobuilder.svg")));
  mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setCentralWidget(mdi_);
  setAcceptDrops(true);
  CreateMenus();
  CreateToolBar();
  statusBar()->showMessage(QStringLiteral("Ready"));
  // The frames pass on what their documents announce (history, marker, selection).
  connect(mdi_, &QMdiArea::subWindowActivated, this, [this] { UpdateCommandState(); });
  // Results drawn on the active project's network: off (hidden) until "Results" shows it.
  auto* results = new ResultsDock(platform_, this);
  addDockWidget(Qt::RightDockWidgetArea, results);
  results->hide();
  findChild<QMenu*>(QStringLiteral("view_menu"))->addAction(results->toggleViewAction());
  connect(mdi_, &QMdiArea::subWindowActivated, results,
          [this, results] { results->SetView(ActiveView()); });
  resize(1000, 700);
  RestoreMainWindowLayout(*this);
  UpdateCommandState();
}

CMainFrame::~CMainFrame() {
  // Projects (owned by their windows) go before the platform they were given.
  destroying_ = true;
  // Closed windows still waiting for their deferred deletion are not in the list but would
  // otherwise be deleted, and tell this half-destroyed frame, after this body.
  for (QMdiSubWindow* window : mdi_->findChildren<QMdiSubWindow*>()) delete window;
}

QAction* CMainFrame::AddCommand(QMenu* menu, const QString& text, const char* status,
                                void (CMainFrame::*handler)()) {
  auto* action = new QAction(text, this);
  if (status != nullptr) {
    // "prompt\ntip": the status bar shows the prompt, the tool tip the rest.
    const QString both = QString::fromUtf8(status);
    const qsizetype newline = both.indexOf(u'\n');
    action->setStatusTip(newline < 0 ? both : both.left(newline));
    if (newline >= 0) action->setToolTip(both.mid(newline + 1).trimmed());
  }
  if (handler != nullptr) connect(action, &QAction::triggered, this, handler);
  if (menu != nullptr) menu->addAction(action);
  addAction(action);  // shortcuts work while the menu is closed
  return action;
}

void CMainFrame::CreateMenus() {
  CreateFileMenu();
  CreateEditMenu();
  CreateOrvoMenu();
  CreateViewMenu();
  CreateWindowMenu();
  CreateHelpMenu();
}

void CMainFrame::CreateFileMenu() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  AddCommand(file, QStringLiteral("New &ORVO Builder"), "New ORVO Builder\n New OrvoBuilder",
             &CMainFrame::OnFileNew)
      ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
  AddCommand(file, QStringLiteral("New &Report"), "New Report\nNew Report",
             &CMainFrame::OnFileNewReport);
  QMenu* open = file->addMenu(QStringLiteral("&Open..."));
  AddCommand(open, QStringLiteral("&Open..."), "Open an existing document\nOpen",
             &CMainFrame::OnFileOpen)
      ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  AddCommand(open, QStringLiteral("&Review Changes..."),
             "Open a project file using version control.", &CMainFrame::OnReviewChanges);
  close_ = AddCommand(file, QStringLiteral("&Close"), "Close the active document\nClose",
                      &CMainFrame::OnFileClose);
  project_only_.push_back(close_);
  QMenu* save = file->addMenu(QStringLiteral("Save"));
  project_only_.push_back(save->menuAction());
  document_commands_.push_back(save->menuAction());
  save_ = AddCommand(save, QStringLiteral("&Save"), "Save the active document\nSave",
                     &CMainFrame::OnFileSave);
  save_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  AddCommand(save, QStringLiteral("&Document Changes..."),
             "Saves a project file using version control.", &CMainFrame::OnDocumentChanges);
  project_only_.push_back(AddCommand(file, QStringLiteral("Save &As..."),
                                     "Save the active document with a new name\nSave As",
                                     &CMainFrame::OnFileSaveAs));
  document_commands_.push_back(project_only_.back());
  document_commands_.push_back(close_);
  project_only_.push_back(AddCommand(file, QStringLiteral("&Export Network Picture..."),
                                     "Write the network as a PNG, SVG or PDF picture.\nExport",
                                     &CMainFrame::OnExportPicture));
  project_only_.push_back(file->addSeparator());
  QAction* print = AddCommand(file, QStringLiteral("&Print..."), "Print the active document\nPrint",
                              &CMainFrame::OnFilePrint);
  print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
  project_only_.push_back(print);
  project_only_.push_back(AddCommand(file, QStringLiteral("Print Pre&view"),
                                     "Display full pages\nPrint Preview",
                                     &CMainFrame::OnFilePrintPreview));
  AddCommand(file, QStringLiteral("P&rint Setup..."),
             "Change the printer and printing options\nPrint Setup", &CMainFrame::OnFilePrintSetup);
  recent_separator_ = file->addSeparator();
  for (int i = 0; i < RecentFileList::kSize; ++i) {
    auto* recent = new QAction(this);
    connect(recent, &QAction::triggered, this, [this, i] {
      if (i >= recent_files_.files().size()) return;
      const QString path = recent_files_.files()[i];
      if (OpenFile(path) == nullptr && !QFileInfo::exists(path)) {
        recent_files_.Remove(path);
        FillRecentFiles();
      }
    });
    file->addAction(recent);
    recent_actions_.push_back(recent);
  }
  file->addSeparator();
  AddCommand(file, QStringLiteral("E&xit"), "Quit the application; prompts to save documents\nExit",
             nullptr);
  connect(file->actions().last(), &QAction::triggered, this, &QWidget::close);
  FillRecentFiles();
}

void CMainFrame::CreateEditMenu() {
  QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
  project_only_.push_back(edit->menuAction());
  undo_ = AddCommand(edit, QStringLiteral("&Undo"), "Undo the last change\nUndo",
                     &CMainFrame::OnEditUndo);
  undo_->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)});
  redo_ = AddCommand(edit, QStringLiteral("&Redo"), "Redo the change undone last\nRedo",
                     &CMainFrame::OnEditRedo);
  redo_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
  edit->addSeparator();
  need_node_.push_back(AddCommand(edit, QStringLiteral("E&dit Properties"),
                                  "Change the card data for this item.",
                                  &CMainFrame::OnEditProperties));
  need_segment_.push_back(
      AddCommand(edit, QStringLiteral("Add Segment Interface"),
                 "Click on another segment to create an exchange by this segment and the target.",
                 &CMainFrame::OnAddSegmentInterface));
  need_segment_.push_back(
      AddCommand(edit, QStringLiteral("Add &Inflow"),
                 "Create an exchange with inflow from ID 0 and outflow to this segment.",
                 &CMainFrame::OnAddInflow));
  need_segment_.push_back(
      AddCommand(edit, QStringLiteral("Add &Outflow"),
                 "Create an exchange going to ID 0 at this segment and inflow from this segment.",
                 &CMainFrame::OnAddOutflow));
  // No shortcut: the view takes the Delete key itself.
  delete_ = AddCommand(edit, QStringLiteral("Delete"), "Delete the selected nodes\nDelete",
                       &CMainFrame::OnDelete);
  edit->addSeparator();
  set_font_default_ = AddCommand(edit, QStringLiteral("Set Font As Default"),
                                 "New labels get this label's font.\nSet Font As Default",
                                 &CMainFrame::OnSetFontAsDefault);
  anchor_lines_ = AddCommand(edit, QStringLiteral("&Toggle Anchor Lines"),
                             "Toggles the display of anchor lines that show what nodes are "
                             "tethered to other nodes.",
                             &CMainFrame::OnToggleAnchorLines);
  anchor_lines_->setCheckable(true);
  need_node_.push_back(AddCommand(edit, QStringLiteral("Tether"),
                                  "Click on a node to tether it to the selected node.\nTether",
                                  &CMainFrame::OnTether));
  need_node_.push_back(AddCommand(edit, QStringLiteral("Untether"),
                                  "Click on a node to untether it from the selected node.\n"
                                  "Untether",
                                  &CMainFrame::OnUntether));
  edit->addSeparator();
  AddCommand(edit, QStringLiteral("&Find Segment..."),
             "Scroll to a segment by its ID and select it.\nFind Segment",
             &CMainFrame::OnFindSegment)
      ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
}

void CMainFrame::CreateOrvoMenu() {
  QMenu* orvo = menuBar()->addMenu(QStringLiteral("O&RVO"));
  project_only_.push_back(orvo->menuAction());
  AddCommand(orvo, QStringLiteral("&Read ORVO Input Dataset"),
             "Build a network model from a ORVO input file.", &CMainFrame::OnReadDataset);
  need_no_run_.push_back(AddCommand(orvo, QStringLiteral("&Write ORVO Input Dataset"),
                                    "Generate a ORVO input file based on the network.",
                                    &CMainFrame::OnWriteDataset));
  orvo->addSeparator();
  AddCommand(orvo, QStringLiteral("Locate ORVO5 Executables"),
             "In order to run VERDA and FENU executables, the program needs to know where these "
             "are installed.",
             &CMainFrame::OnLocateExecutables);
  need_no_run_.push_back(
      AddCommand(orvo, QStringLiteral("E&xecute ORVO"),
                 "Writes the project data as a ORVO input file and executes the model.",
                 &CMainFrame::OnExecuteOrvo));
  orvo->addSeparator();
  AddCommand(orvo, QStringLiteral("&Edit Project Parameters"),
             "Pops up the global parameter card dialog choices.",
             &CMainFrame::OnEditProjectParameters);
  AddCommand(orvo, QStringLiteral("Edit Value Ranges"), "Edit the default ranges for card data.",
             &CMainFrame::OnEditValueRanges);
  QMenu* import = orvo->addMenu(QStringLiteral("Import..."));
  const std::pair<const char*, char> imports[] = {{"Group &B (Exchanges)", 'B'},
                                                  {"Group &C (Volumes)", 'C'},
                                                  {"Group &D (Flows)", 'D'},
                                                  {"Group &E (Boundaries)", 'E'},
                                                  {"Group &F (Waste Loads)", 'F'},
                                                  {"Group &G (Parameters)", 'G'},
                                                  {"Group &H (Constants)", 'H'},
                                                  {"Group &I (Time Functions)", 'I'},
                                                  {"Group &J (Initial Conditions)", 'J'}};
  for (const auto& [text, letter] : imports) {
    const std::string status =
        std::string("Read group ") + letter + " data from a ORVO input file.";
    QAction* action = AddCommand(import, QString::fromUtf8(text), status.c_str(), nullptr);
    connect(action, &QAction::triggered, this, [this, group = letter] { OnImport(group); });
  }
  QAction* import_all = AddCommand(import, QStringLiteral("Import All Groups"),
                                   "Read all groups but A from a ORVO input file.", nullptr);
  connect(import_all, &QAction::triggered, this, [this] { OnImport(0); });
  QMenu* sensitivity = orvo->addMenu(QStringLiteral("Sensitivity Analysis"));
  const std::pair<const char*, char> studies[] = {
      {"Group B (Exchanges)", 'B'},   {"Group C (Volumes)", 'C'},
      {"Group D (Flows)", 'D'},       {"Group E (Boundaries)", 'E'},
      {"Group F (Waste Loads)", 'F'}, {"Group G (Parameters)", 'G'},
      {"Group H (Constants)", 'H'},   {"Group J (Initial Conditions)", 'J'}};
  for (const auto& [text, letter] : studies) {
    const std::string status = std::string("Study the effect of changing parameters in card ") +
                               letter + " has on model output.";
    QAction* action = AddCommand(sensitivity, QString::fromUtf8(text), status.c_str(), nullptr);
    connect(action, &QAction::triggered, this, [this, group = letter] { OnSensitivity(group); });
  }
  QMenu* input = orvo->addMenu(QStringLiteral("View Input"));
  for (InputCard card :
       {InputCard::kB, InputCard::kC, InputCard::kD, InputCard::kE, InputCard::kF, InputCard::kI}) {
    QAction* action = AddCommand(input, QString::fromUtf8(InputCardTitle(card)), nullptr, nullptr);
    connect(action, &QAction::triggered, this, [this, card] {
      if (CChildFrame* frame = ActiveFrame()) {
        (new InputPlotDialog(frame->document(), card, this))->show();
      }
    });
  }
  AddCommand(orvo, QStringLiteral("View Output"), "Examine ORVO output data.",
             &CMainFrame::OnViewOutput);
  AddCommand(orvo, QStringLiteral("Check Card Completeness"),
             "Display possible deficiencies in card data.", &CMainFrame::OnCheckCompleteness);
  need_no_run_.push_back(AddCommand(orvo, QStringLiteral("Execute File..."),
                                    "Choose an input file to run ORVO with.",
                                    &CMainFrame::OnExecuteFile));
}

void CMainFrame::CreateViewMenu() {
  QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
  // Filled by CreateToolBar and below; the bar toggles are the framework's own actions.
  view->setObjectName(QStringLiteral("view_menu"));
  QAction* status = AddCommand(view, QStringLiteral("&Status Bar"),
                               "Show or hide the status bar\nToggle StatusBar", nullptr);
  status->setCheckable(true);
  status->setChecked(true);
  connect(status, &QAction::toggled, this, [this](bool shown) { statusBar()->setVisible(shown); });
  project_only_.push_back(view->addSeparator());
  QAction* zoom_in = AddCommand(view, QStringLiteral("Zoom &In"), "Enlarge the drawing\nZoom In",
                                &CMainFrame::OnZoomIn);
  zoom_in->setShortcut(QKeySequence::ZoomIn);
  QAction* zoom_out = AddCommand(view, QStringLiteral("Zoom &Out"), "Reduce the drawing\nZoom Out",
                                 &CMainFrame::OnZoomOut);
  zoom_out->setShortcut(QKeySequence::ZoomOut);
  QAction* fit =
      AddCommand(view, QStringLiteral("Zoom to &Fit"),
                 "Show the whole network in the window\nZoom to Fit", &CMainFrame::OnZoomFit);
  fit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
  palette_ = AddCommand(view, QStringLiteral("Display Palette"), "Display Palette",
                        &CMainFrame::OnDisplayPalette);
  palette_->setCheckable(true);
  palette_->setIcon(QIcon(QStringLiteral(":/shell/palette.svg")));
  for (QAction* action : {zoom_in, zoom_out, fit, palette_}) project_only_.push_back(action);
  // The active project window's docks.
  const auto dock_command = [this, view](const QString& text, const char* status_text,
                                         QDockWidget* (CChildFrame::*dock)() const) {
    QAction* action = AddCommand(view, text, status_text, nullptr);
    action->setCheckable(true);
    connect(action, &QAction::triggered, this, [this, dock](bool shown) {
      if (CChildFrame* frame = ActiveFrame()) (frame->*dock)()->setVisible(shown);
      UpdateCommandState();
    });
    project_only_.push_back(action);
    return action;
  };
  properties_ = dock_command(QStringLiteral("&Properties"),
                             "Show the values of the selected nodes, to edit them in place",
                             &CChildFrame::property_dock);
  segment_table_ = dock_command(QStringLiteral("Segment &Table"),
                                "Show every segment's values in one table, to edit them in place",
                                &CChildFrame::table_dock);
  // What the map's symbols and colours mean, in a dock that can be moved or floated.
  auto* legend = new QDockWidget(QStringLiteral("Legend"), this);
  legend->setObjectName(QStringLiteral("legend_dock"));
  legend->setWidget(new NetworkLegend(legend));
  addDockWidget(Qt::RightDockWidgetArea, legend);
  legend->hide();
  QAction* show_legend = legend->toggleViewAction();
  show_legend->setText(QStringLiteral("&Legend"));
  show_legend->setStatusTip(QStringLiteral("Show what the symbols and colours of the map mean"));
  view->addAction(show_legend);
}

void CMainFrame::CreateWindowMenu() {
  window_menu_ = menuBar()->addMenu(QStringLiteral("&Window"));
  project_only_.push_back(window_menu_->menuAction());
  AddCommand(window_menu_, QStringLiteral("&New Window"),
             "Open another window for the active document\nNew Window", &CMainFrame::OnNewWindow);
  QAction* cascade = AddCommand(window_menu_, QStringLiteral("&Cascade"),
                                "Arrange windows so they overlap\nCascade Windows", nullptr);
  connect(cascade, &QAction::triggered, mdi_, &QMdiArea::cascadeSubWindows);
  QAction* tile = AddCommand(window_menu_, QStringLiteral("&Tile"),
                             "Arrange windows as non-overlapping tiles\nTile Windows", nullptr);
  connect(tile, &QAction::triggered, mdi_, &QMdiArea::tileSubWindows);
  AddCommand(window_menu_, QStringLiteral("&Arrange Icons"),
             "Arrange icons at the bottom of the window\nArrange Icons",
             &CMainFrame::OnArrangeIcons);
  AddCommand(window_menu_, QStringLiteral("&Resize Current Window"), nullptr,
             &CMainFrame::OnResizeWindow);
  window_menu_->addSeparator();
  connect(window_menu_, &QMenu::aboutToShow, this, &CMainFrame::FillWindowList);
}

void CMainFrame::CreateHelpMenu() {
  QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
  AddCommand(help, QStringLiteral("&ORVO Builder Help"), "List Help topics\nHelp Topics",
             &CMainFrame::OnHelpTopics);
  AddCommand(help, QStringLiteral("ORVO5 &Input Dataset Help"), nullptr,
             &CMainFrame::OnDatasetHelp);
  help->addSeparator();
  AddCommand(help, QStringLiteral("&About ORVO Builder..."),
             "Display program information and version number\nAbout", &CMainFrame::OnAbout);
}

void CMainFrame::CreateToolBar() {
  QToolBar* bar = addToolBar(QStringLiteral("Standard"));
  bar->setObjectName(QStringLiteral("standard_toolbar"));
  const auto find = [this](const QString& text) {
    for (QAction* action : actions()) {
      if (action->text() == text) return action;
    }
    return static_cast<QAction*>(nullptr);
  };
  const std::pair<const char*, const char*> buttons[] = {{"New &ORVO Builder", "new.svg"},
                                                         {"New &Report", "report.svg"},
                                                         {nullptr, nullptr},
                                                         {"&Open...", "open.svg"},
                                                         {"&Save", "save.svg"},
                                                         {nullptr, nullptr},
                                                         {"Display Palette", nullptr},
                                                         {nullptr, nullptr},
                                                         {"E&xecute ORVO", "execute.svg"}};
  for (const auto& [text, icon] : buttons) {
    if (text == nullptr) {
      bar->addSeparator();
      continue;
    }
    QAction* action = find(QString::fromUtf8(text));
    if (action == nullptr) continue;
    if (icon != nullptr)
      action->setIcon(QIcon(QStringLiteral(":/shell/") + QString::fromUtf8(icon)));
    bar->addAction(action);
  }
  // The bar's own toggle heads the View menu.
  QMenu* view = findChild<QMenu*>(QStringLiteral("view_menu"));
  QAction* toggle = bar->toggleViewAction();
  toggle->setText(QStringLiteral("&Toolbar"));
  toggle->setStatusTip(QStringLiteral("Show or hide the toolbar"));
  toggle->setToolTip(QStringLiteral("Toggle ToolBar"));
  view->insertAction(view->actions().value(0), toggle);
}

void CMainFrame::FillRecentFiles() {
  const QStringList& files = recent_files_.files();
  for (int i = 0; i < RecentFileList::kSize; ++i) {
    QAction* action = recent_actions_[static_cast<size_t>(i)];
    const bool used = i < files.size();
    action->setVisible(used);
    if (used) {
      action->setText(u'&' + QString::number(i + 1) + u' ' +
                      QDir::toNativeSeparators(files[i]).replace(u'&', QStringLiteral("&&")));
      action->setStatusTip(QStringLiteral("Open this document"));
    }
  }
  recent_separator_->setVisible(!files.isEmpty());
}

void CMainFrame::FillWindowList() {
  const QList<QAction*> items = window_menu_->actions();
  // The list follows the last separator.
  qsizetype first = items.size();
  for (qsizetype i = items.size() - 1; i >= 0; --i) {
    if (items[i]->isSeparator()) {
      first = i + 1;
      break;
    }
  }
  for (qsizetype i = first; i < items.size(); ++i) {
    window_menu_->removeAction(items[i]);
    delete items[i];
  }
  int number = 0;
  for (QMdiSubWindow* window : mdi_->subWindowList()) {
    ++number;
    QString title = window->windowTitle();
    title.replace(QStringLiteral("[*]"),
                  window->isWindowModified() ? QStringLiteral("*") : QString());
    QAction* item = window_menu_->addAction(u'&' + QString::number(number) + u' ' + title);
    item->setCheckable(true);
    item->setChecked(window == mdi_->activeSubWindow());
    connect(item, &QAction::triggered, this, [this, target = QPointer<QMdiSubWindow>(window)] {
      if (target) mdi_->setActiveSubWindow(target);
    });
  }
}

// ---------------------------------------------------------------------------------------------
// State

QMdiSubWindow* CMainFrame::ActiveWindow() const {
  // A closed window lingers hidden until it is deleted; it is no longer the active one.
  const auto usable = [](QMdiSubWindow* window) {
    return window != nullptr && !window->isHidden() ? window : nullptr;
  };
  if (QMdiSubWindow* window = usable(mdi_->currentSubWindow())) return window;
  const QList<QMdiSubWindow*> windows = mdi_->subWindowList(QMdiArea::ActivationHistoryOrder);
  for (qsizetype i = windows.size() - 1; i >= 0; --i) {
    if (QMdiSubWindow* window = usable(windows[i])) return window;
  }
  return nullptr;
}

CChildFrame* CMainFrame::ActiveFrame() const {
  return qobject_cast<CChildFrame*>(ActiveWindow());
}

CReportChildFrame* CMainFrame::ActiveReport() const {
  return qobject_cast<CReportChildFrame*>(ActiveWindow());
}

COrvoBuilderView* CMainFrame::ActiveView() const {
  CChildFrame* frame = ActiveFrame();
  return frame != nullptr ? frame->view() : nullptr;
}

void CMainFrame::UpdateCommandState() {
  if (destroying_) return;
  CChildFrame* frame = ActiveFrame();
  COrvoBuilderView* view = frame != nullptr ? frame->view() : nullptr;
  const bool has_project = frame != nullptr;
  for (QAction* action : project_only_) action->setVisible(has_project);
  CReportChildFrame* report = ActiveReport();
  for (QAction* action : document_commands_) {
    action->setVisible(has_project || report != nullptr);
  }
  close_->setEnabled(has_project || report != nullptr);
  save_->setEnabled(has_project || report != nullptr);

  for (QMdiSubWindow* window : mdi_->subWindowList()) {
    if (auto* child = qobject_cast<CChildFrame*>(window)) {
      child->setWindowModified(child->document().IsModified());
    }
  }
  setWindowTitle(has_project         ? kAppTitle + QStringLiteral(" - ") + frame->windowTitle()
                 : report != nullptr ? kAppTitle + QStringLiteral(" - ") + report->windowTitle()
                                     : kAppTitle + QStringLiteral("[*]"));
  setWindowModified(has_project ? frame->document().IsModified()
                                : report != nullptr && report->document().IsModified());

  const COrvoBuilderDoc* document = has_project ? &frame->document() : nullptr;
  const bool can_undo = document != nullptr && document->CanUndo();
  const bool can_redo = document != nullptr && document->CanRedo();
  undo_->setEnabled(can_undo);
  redo_->setEnabled(can_redo);
  // Step labels are shown as they are, not as mnemonics.
  const auto item_text = [](const char* verb, const std::string& label) {
    return label.empty() ? QString::fromUtf8(verb)
                         : QString::fromUtf8(verb) + u' ' +
                               FromStored(label).replace(u'&', QStringLiteral("&&"));
  };
  const QString undo_text = item_text("&Undo", can_undo ? document->UndoLabel() : std::string());
  const QString redo_text = item_text("&Redo", can_redo ? document->RedoLabel() : std::string());
  if (undo_->text() != undo_text) undo_->setText(undo_text);
  if (redo_->text() != redo_text) redo_->setText(redo_text);

  const COrvoBuilderCntrItem* selected = view != nullptr ? view->selected_node() : nullptr;
  for (QAction* action : need_node_) action->setEnabled(selected != nullptr);
  for (QAction* action : need_segment_) {
    action->setEnabled(selected != nullptr && selected->type() == kSegmentNode);
  }
  set_font_default_->setEnabled(selected != nullptr && selected->type() == kLabelNode);
  delete_->setEnabled(selected != nullptr || (view != nullptr && !view->group_selection().empty()));
  anchor_lines_->setEnabled(has_project);
  anchor_lines_->setChecked(view != nullptr && view->state().anchor_lines);
  palette_->setEnabled(has_project);
  palette_->setChecked(view != nullptr && view->state().palette_shown);
  properties_->setChecked(frame != nullptr && !frame->property_dock()->isHidden());
  segment_table_->setChecked(frame != nullptr && !frame->table_dock()->isHidden());
  const bool run_going = has_project && ModelRunGoing(*frame->project());
  for (QAction* action : need_no_run_) action->setEnabled(has_project && !run_going);
}

// ---------------------------------------------------------------------------------------------
// Projects and their files

CChildFrame* CMainFrame::AddFrame(std::shared_ptr<OpenProject> project) {
  auto* frame =
      new CChildFrame(std::move(project), [this](CChildFrame& f) { return SaveModified(f); });
  mdi_->addSubWindow(frame);
  connect(frame, &CChildFrame::StateChanged, this, &CMainFrame::UpdateCommandState);
  connect(frame, &QObject::destroyed, this, [this] {
    if (destroying_) return;
    // Window numbers of the project's other windows may change.
    for (QMdiSubWindow* window : mdi_->subWindowList()) {
      if (auto* child = qobject_cast<CChildFrame*>(window)) child->RefreshTitle();
    }
    UpdateCommandState();
  });
  for (QMdiSubWindow* window : mdi_->subWindowList()) {
    auto* child = qobject_cast<CChildFrame*>(window);
    if (child != nullptr && child->project() == frame->project()) child->RefreshTitle();
  }
  frame->resize(640, 440);
  frame->show();
  mdi_->setActiveSubWindow(frame);
  UpdateCommandState();
  return frame;
}

CChildFrame* CMainFrame::FindOpen(const QString& path) const {
  for (QMdiSubWindow* window : mdi_->subWindowList()) {
    auto* child = qobject_cast<CChildFrame*>(window);
    if (child != nullptr && child->project()->window_count > 0 &&
        !child->project()->path.isEmpty() && QFileInfo(child->project()->path) == QFileInfo(path)) {
      return child;
    }
  }
  return nullptr;
}

void CMainFrame::Remember(const QString& path) {
  recent_files_.Add(path);
  FillRecentFiles();
}

CChildFrame* CMainFrame::NewProject() {
  auto project = std::make_shared<OpenProject>();
  project->document = std::make_unique<COrvoBuilderDoc>(platform_);
  project->untitled_name = QString::fromStdString(ResourceField(DocumentTypes()[0], kFileNewName)) +
                           QString::number(++untitled_count_);
  return AddFrame(std::move(project));
}

CChildFrame* CMainFrame::OpenFile(const QString& path) {
  if (IsReportFile(path)) {
    OpenReport(path);
    return nullptr;
  }
  const QString absolute = QFileInfo(path).absoluteFilePath();
  if (CChildFrame* open = FindOpen(absolute)) {
    mdi_->setActiveSubWindow(open);
    return open;
  }
  auto project = std::make_shared<OpenProject>();
  project->document = std::make_unique<COrvoBuilderDoc>(platform_);
  if (!project->document->Load(LocalPath(absolute))) return nullptr;
  project->path = absolute;
  Remember(absolute);
  CChildFrame* frame = AddFrame(std::move(project));
  RestoreDocumentWindow(*frame, absolute);
  return frame;
}

CReportChildFrame* CMainFrame::NewReport() {
  const QString name = QString::fromStdString(ResourceField(DocumentTypes()[1], kFileNewName)) +
                       QString::number(++untitled_reports_);
  return AddReportFrame(
      new CReportChildFrame(std::make_unique<CORVOReportDoc>(platform_), {}, name, platform_));
}

CReportChildFrame* CMainFrame::OpenReport(const QString& path) {
  const QString absolute = QFileInfo(path).absoluteFilePath();
  for (QMdiSubWindow* window : mdi_->subWindowList()) {
    auto* open = qobject_cast<CReportChildFrame*>(window);
    if (open != nullptr && !open->isHidden() && !open->path().isEmpty() &&
        QFileInfo(open->path()) == QFileInfo(absolute)) {
      mdi_->setActiveSubWindow(open);
      return open;
    }
  }
  std::unique_ptr<CORVOReportDoc> document = ReadReportFile(this, platform_, absolute);
  if (!document) return nullptr;
  Remember(absolute);
  return AddReportFrame(new CReportChildFrame(std::move(document), absolute, {}, platform_));
}

CReportChildFrame* CMainFrame::AddReportFrame(CReportChildFrame* frame) {
  mdi_->addSubWindow(frame);
  connect(frame, &CReportChildFrame::StateChanged, this, &CMainFrame::UpdateCommandState);
  connect(frame, &CReportChildFrame::Saved, this, &CMainFrame::Remember);
  connect(frame, &QObject::destroyed, this, [this] {
    if (!destroying_) UpdateCommandState();
  });
  frame->resize(980, 620);
  frame->show();
  mdi_->setActiveSubWindow(frame);
  UpdateCommandState();
  return frame;
}

bool CMainFrame::SaveProject(CChildFrame& frame, const QString& path) {
  OpenProject& project = *frame.project();
  QString target = path.isEmpty() ? project.path : path;
  if (target.isEmpty()) {
    target =
        QFileDialog::getSaveFileName(this, QStringLiteral("Save As"),
                                     project.DisplayName() + ProjectExtension(), ProjectFilter());
    if (target.isEmpty()) return false;
  }
  if (QFileInfo(target).suffix().isEmpty()) target += ProjectExtension();
  target = QFileInfo(target).absoluteFilePath();
  if (!project.document->Save(LocalPath(target))) {
    UpdateCommandState();
    return false;
  }
  project.path = target;
  Remember(target);
  for (QMdiSubWindow* window : mdi_->subWindowList()) {
    auto* child = qobject_cast<CChildFrame*>(window);
    if (child != nullptr && child->project() == frame.project()) child->RefreshTitle();
  }
  UpdateCommandState();
  return true;
}

bool CMainFrame::SaveModified(CChildFrame& frame) {
  mdi_->setActiveSubWindow(&frame);
  const auto answer = QMessageBox::question(
      this, kAppTitle, QStringLiteral("Save changes to %1?").arg(frame.project()->DisplayName()),
      QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
  if (answer == QMessageBox::Cancel) return false;
  if (answer == QMessageBox::No) return true;
  return SaveProject(frame);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  SaveWindowLayout(*this, *mdi_);
  for (QMdiSubWindow* window : mdi_->subWindowList()) {
    if (!window->isHidden() && !window->close()) {
      event->ignore();
      return;
    }
  }
  event->accept();
}

namespace {

QStringList DroppedProjects(const QMimeData* data) {
  QStringList paths;
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile() &&
        (url.toLocalFile().endsWith(QStringLiteral(".orb"), Qt::CaseInsensitive) ||
         IsReportFile(url.toLocalFile()))) {
      paths << url.toLocalFile();
    }
  }
  return paths;
}

}  // namespace

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
  if (!DroppedProjects(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
  const QStringList paths = DroppedProjects(event->mimeData());
  if (paths.isEmpty()) return;
  event->acceptProposedAction();
  for (const QString& path : paths) OpenFile(path);
}

// ---------------------------------------------------------------------------------------------
// Command handlers

void CMainFrame::OnFileNew() {
  CChildFrame* frame = NewProject();
  if (frame == nullptr) return;
  // Group A's type decides the systems and the cards; asked at once, so that a new project
  // does not start with the first finding of its completeness report.
  const std::optional<int> choice =
      platform_.AskChoice("Simulation Type of the New Project",
                          {"FENU5", "VERDA5", "KOBAL5", "None (choose later)"}, 0);
  if (!choice || *choice > kKobal5) return;
  COrvoBuilderDoc& document = frame->document();
  editing::GroupAForm form = editing::OpenGroupA(document);
  editing::ChooseSimulationType(form, static_cast<SimulationType>(*choice));
  editing::AcceptGroupA(document, form);
  // The type is where the new project starts; undoing it leaves a project with changes.
  document.SetModifiedFlag(false);
  UpdateCommandState();
}

void CMainFrame::OnFileNewReport() {
  NewReport();
}

void CMainFrame::OnFileOpen() {
  // Either document type: the project filter first, then the report filter.
  const QString path = QFileDialog::getOpenFileName(
      this, QStringLiteral("Open"), LastDirectory(),
      ProjectFilter().section(QStringLiteral(";;"), 0, 0) + QStringLiteral(";;") + ReportFilter());
  RememberDirectoryOf(path);
  if (!path.isEmpty()) OpenFile(path);
}

void CMainFrame::OnReviewChanges() {
  ReviewChanges(*this);
}

void CMainFrame::OnDocumentChanges() {
  DocumentChanges(*this);
}

void CMainFrame::OnFileClose() {
  if (CReportChildFrame* report = ActiveReport()) {
    report->CloseReport();
    return;
  }
  CChildFrame* frame = ActiveFrame();
  if (frame == nullptr) return;
  const std::shared_ptr<OpenProject> project = frame->project();
  if (project->document->IsModified() && !SaveModified(*frame)) return;
  project->discard_changes = true;
  for (QMdiSubWindow* window : mdi_->subWindowList()) {
    auto* child = qobject_cast<CChildFrame*>(window);
    if (child != nullptr && child->project() == project) child->close();
  }
}

void CMainFrame::OnFileSave() {
  if (CReportChildFrame* report = ActiveReport()) report->Save();
  if (CChildFrame* frame = ActiveFrame()) SaveProject(*frame);
}

void CMainFrame::OnFileSaveAs() {
  if (CReportChildFrame* report = ActiveReport()) report->SaveAs();
  CChildFrame* frame = ActiveFrame();
  if (frame == nullptr) return;
  const OpenProject& project = *frame->project();
  const QString suggested =
      project.path.isEmpty() ? project.DisplayName() + ProjectExtension() : project.path;
  const QString path =
      QFileDialog::getSaveFileName(this, QStringLiteral("Save As"), suggested, ProjectFilter());
  if (!path.isEmpty()) SaveProject(*frame, path);
}

void CMainFrame::OnExportPicture() {
  CChildFrame* frame = ActiveFrame();
  if (frame == nullptr) return;
  const QString png = QStringLiteral("PNG picture (*.png)");
  const QString svg = QStringLiteral("SVG picture (*.svg)");
  const QString pdf = QStringLiteral("PDF document (*.pdf)");
  QString chosen_filter = png;
  const QString base = QFileInfo(frame->project()->DisplayName()).completeBaseName();
  QString path = QFileDialog::getSaveFileName(
      this, QStringLiteral("Export Network Picture"), base + QStringLiteral(".png"),
      png + QStringLiteral(";;") + svg + QStringLiteral(";;") + pdf, &chosen_filter);
  if (path.isEmpty()) return;
  if (QFileInfo(path).suffix().isEmpty()) {
    path += chosen_filter == svg   ? QStringLiteral(".svg")
            : chosen_filter == pdf ? QStringLiteral(".pdf")
                                   : QStringLiteral(".png");
  }
  QString error;
  PictureDecoration decoration;
  decoration.anchor_lines = frame->view()->state().anchor_lines;
  if (!ExportNetworkPicture(frame->document(), path, error, &decoration)) {
    QMessageBox::warning(this, kAppTitle, error);
  }
}

void CMainFrame::OnFilePrint() {
  COrvoBuilderView* view = ActiveView();
  if (view == nullptr) return;
  if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  QPrintDialog dialog(printer_.get(), this);
  if (dialog.exec() == QDialog::Accepted) view->Print(*printer_);
}

void CMainFrame::OnFilePrintPreview() {
  COrvoBuilderView* view = ActiveView();
  if (view == nullptr) return;
  if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  QPrintPreviewDialog dialog(printer_.get(), this);
  connect(&dialog, &QPrintPreviewDialog::paintRequested, view,
          [view](QPrinter* printer) { view->Print(*printer); });
  dialog.exec();
}

void CMainFrame::OnFilePrintSetup() {
  if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  QPageSetupDialog dialog(printer_.get(), this);
  dialog.exec();
}

void CMainFrame::OnEditUndo() {
  if (CChildFrame* frame = ActiveFrame()) frame->document().Undo();
  UpdateCommandState();
}

void CMainFrame::OnEditRedo() {
  if (CChildFrame* frame = ActiveFrame()) frame->document().Redo();
  UpdateCommandState();
}

void CMainFrame::OnFindSegment() {
  COrvoBuilderView* view = ActiveView();
  if (view == nullptr) return;
  bool ok = false;
  const int id = QInputDialog::getInt(this, QStringLiteral("Find Segment"),
                                      QStringLiteral("Segment ID:"), 1, 1, 999999, 1, &ok);
  if (!ok) return;
  if (!view->FindSegment(id)) {
    QMessageBox::information(this, kAppTitle,
                             QStringLiteral("There is no segment with ID %1.").arg(id));
  }
  UpdateCommandState();
}

// The view's own commands, for the active window.
#define ORVO_VIEW_COMMAND(handler, call)         \
  void CMainFrame::handler() {                   \
    if (COrvoBuilderView* view = ActiveView()) { \
      view->call;                                \
      UpdateCommandState();                      \
    }                                            \
  }
ORVO_VIEW_COMMAND(OnEditProperties, OnEditProperties())
ORVO_VIEW_COMMAND(OnAddSegmentInterface, OnAddSegmentInterface())
ORVO_VIEW_COMMAND(OnAddInflow, OnAddInflow())
ORVO_VIEW_COMMAND(OnAddOutflow, OnAddOutflow())
ORVO_VIEW_COMMAND(OnDelete, OnDelete())
ORVO_VIEW_COMMAND(OnSetFontAsDefault, OnSetFontAsDefault())
ORVO_VIEW_COMMAND(OnToggleAnchorLines, OnToggleAnchorLines())
ORVO_VIEW_COMMAND(OnTether, OnTether())
ORVO_VIEW_COMMAND(OnUntether, OnUntether())
ORVO_VIEW_COMMAND(OnZoomIn, ZoomIn())
ORVO_VIEW_COMMAND(OnZoomOut, ZoomOut())
ORVO_VIEW_COMMAND(OnZoomFit, ZoomFit())
ORVO_VIEW_COMMAND(OnDisplayPalette, OnDisplayPalette())
ORVO_VIEW_COMMAND(OnResizeWindow, OnResizeWindow())
#undef ORVO_VIEW_COMMAND

void CMainFrame::OnReadDataset() {
  CChildFrame* frame = ActiveFrame();
  if (frame == nullptr) return;
  // The question comes before the chooser, so a "Cancel" costs no browsing. A network that
  // holds work need not be given up: the deck can go into a new project window instead.
  bool new_window = false;
  if (!frame->document().nodes().empty()) {
    const std::optional<int> choice =
        platform_.AskChoice("Read ORVO Input Dataset",
                            {"Replace the network of this project (undo brings it back)",
                             "Build the network in a new project window"},
                            1);
    if (!choice) return;
    new_window = *choice == 1;
  }
  const std::optional<std::string> path = platform_.ChooseOpenFile(kDeckFilter);
  if (!path) return;
  if (new_window) {
    CChildFrame* fresh = NewProject();
    if (fresh == nullptr) return;
    if (!ReadDataset(*fresh, *path)) fresh->close();
    return;
  }
  ReadDataset(*frame, *path);
}

bool CMainFrame::ReadDataset(CChildFrame& frame, const std::string& path) {
  COrvoBuilderDoc& document = frame.document();
  bool built = false;
  {
    WaitCursor wait(platform_);
    // Cancelled half-way through the build, the step puts the network back as it was.
    document.BeginStep("Read ORVO Input Dataset");
    built = ReadDeckAndBuild(document, path);
    if (built) {
      document.EndStep();
    } else {
      document.AbandonStep();
    }
  }
  // A network built from a deck is unsaved work.
  if (built) document.SetModifiedFlag(true);
  UpdateCommandState();
  return built;
}

void CMainFrame::OnLocateExecutables() {
  LocateExecutables(platform_);
}

ModelRunContext CMainFrame::RunContext(CChildFrame& frame) {
  return {this, &platform_, frame.project(), [this] { UpdateCommandState(); }};
}

void CMainFrame::OnExecuteOrvo() {
  CChildFrame* frame = ActiveFrame();
  if (frame == nullptr || ModelRunGoing(*frame->project())) return;
  if (!ReportCompleteness(frame->document(), true, this, [this] { OnCheckCompleteness(); })) {
    return;
  }
  ExecuteOrvoWithProgress(RunContext(*frame));
}

void CMainFrame::OnExecuteFile() {
  if (CChildFrame* frame = ActiveFrame()) ExecuteFileWithProgress(RunContext(*frame));
}

void CMainFrame::OnViewOutput() {
  if (CChildFrame* frame = ActiveFrame()) ViewOutput(RunContext(*frame));
}

void CMainFrame::OnSensitivity(char group) {
  if (CChildFrame* frame = ActiveFrame()) {
    SensitivityDialog::ShowFor(RunContext(*frame), SensitivityGroupOfLetter(group));
  }
}

void CMainFrame::OnEditProjectParameters() {
  if (CChildFrame* frame = ActiveFrame()) {
    ProjectParametersWindow* window = ProjectParametersWindow::ShowFor(frame->document(), this);
    // A group accepted with OK changes what the network shows.
    window->SetAcceptedHook(
        [&document = frame->document()](char) { document.UpdateAllViews(kHintRedrawAll); });
  }
}

void CMainFrame::OnEditValueRanges() {
  if (CChildFrame* frame = ActiveFrame()) {
    ValidRangesDialog::EditValueRanges(frame->document(), this);
    UpdateCommandState();
  }
}

void CMainFrame::OnCheckCompleteness() {
  CChildFrame* frame = ActiveFrame();
  if (frame == nullptr) return;
  CardCompletionMatrix* matrix = CardCompletionMatrix::ShowFor(frame->document(), this);
  // A double-clicked row shows its node in the project's active window.
  matrix->SetNodeHandler([this, &document = frame->document()](const COrvoBuilderCntrItem* node) {
    CChildFrame* active = ActiveFrame();
    if (active != nullptr && &active->document() == &document && node != nullptr) {
      ShowNodeInView(*active->view(), node);
    }
  });
}

void CMainFrame::OnImport(char group) {
  if (CChildFrame* frame = ActiveFrame()) ImportGroups(*frame, group);
}

bool CMainFrame::ImportGroups(CChildFrame& frame, char group) {
  COrvoBuilderDoc& document = frame.document();
  bool imported = false;
  {
    ScopedStep step(document,
                    group == 0 ? "Import All Groups" : std::string("Import Group ") + group);
    imported = group == 0 ? ImportAllGroups(document) : ImportGroup(document, group);
  }
  // Groups B, C and D change what the network shows.
  if (imported) document.UpdateAllViews(kHintRedrawAll);
  CardCompletionMatrix::RefreshFor(document);
  UpdateCommandState();
  return imported;
}

void CMainFrame::OnWriteDataset() {
  CChildFrame* frame = ActiveFrame();
  if (frame == nullptr) return;
  const COrvoBuilderDoc& document = frame->document();
  const std::string suggested =
      !document.input_deck_path.empty()
          ? document.input_deck_path
          : LocalPath(QFileInfo(frame->project()->DisplayName()).completeBaseName() +
                      QStringLiteral(".inp"));
  const std::optional<std::string> chosen = platform_.ChooseSaveFile(kDeckFilter, suggested);
  if (chosen && WriteDataset(*frame, *chosen)) {
    ReportCompleteness(document, false, this, [this] { OnCheckCompleteness(); });
  }
}

bool CMainFrame::WriteDataset(CChildFrame& frame, const std::string& chosen) {
  COrvoBuilderDoc& document = frame.document();
  const std::string path = InpPath(chosen);
  // The chooser asked about the name as typed; the deck may go to another, existing file.
  if (path != chosen && QFileInfo::exists(FromLocalPath(path)) &&
      !platform_.AskYesNo(path + " already exists.\nDo you want to replace it?")) {
    return false;
  }
  document.input_deck_path = path;
  WaitCursor wait(platform_);
  return OrvoWrite(document, path);
}

void CMainFrame::OnNewWindow() {
  if (CChildFrame* frame = ActiveFrame()) AddFrame(frame->project());
}

void CMainFrame::OnArrangeIcons() {
  // Minimized windows in a row along the bottom edge, left to right.
  int x = 0;
  for (QMdiSubWindow* window : mdi_->subWindowList()) {
    if (!window->isMinimized()) continue;
    window->move(x, mdi_->viewport()->height() - window->height());
    x += window->width();
  }
}

void CMainFrame::OnHelpTopics() {
  HelpWindow::ShowPage(QString::fromLatin1(kGuideHome));
}

void CMainFrame::OnDatasetHelp() {
  HelpWindow::ShowPage(QString::fromLatin1(kReferenceHome));
}

void CMainFrame::OnAbout() {
  AboutDialog dialog(this);
  dialog.exec();
}

}  // namespace orvo::ui
