#include "ui/help/help_window.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QRegularExpression>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cstring>

void InitHelpResources() {
  Q_INIT_RESOURCE(help);
}

namespace orvo::ui {
namespace {

QPointer<HelpWindow> the_window;

QUrl PageUrl(const QString& page) {
  return QUrl(QStringLiteral("qrc:/help/") + page);
}

// Windows other than the group editors, by class name, and the guide page that explains them.
const std::pair<const char*, const char*> kWindowPages[] = {
    {"SegmentDialog", "guide/nodes.html"},
    {"ExchangeDialog", "guide/nodes.html"},
    {"LabelDialog", "guide/nodes.html"},
    {"IconPalette", "guide/network.html"},
    {"COrvoBuilderView", "guide/network.html"},
    {"ProjectParametersWindow", "guide/groups.html"},
    {"BypassOptionsDialog", "guide/groups.html"},
    {"TimeFunctionEditor", "reference/conventions.html"},
    {"CardCompletionMatrix", "guide/checks.html"},
    {"ValidRangesDialog", "guide/checks.html"},
    {"RunProgressDialog", "guide/runs.html"},
    {"SimulationTypeDialog", "guide/runs.html"},
    {"OutputViewerWindow", "guide/runs.html"},
    {"ProjectDocumentationDialog", "guide/revisions.html"},
};

}  // namespace

const std::vector<HelpPage>& GuidePages() {
  static const std::vector<HelpPage> pages = {
      {kGuideHome, "ORVO Builder user guide"},
      {"guide/getting_started.html", "Getting started with the example"},
      {"guide/network.html", "Drawing a network"},
      {"guide/nodes.html", "Segments, exchanges, labels and tethers"},
      {"guide/groups.html", "The ten data groups"},
      {"guide/decks.html", "Writing and reading input decks"},
      {"guide/import.html", "Importing groups"},
      {"guide/checks.html", "Completeness matrix and value ranges"},
      {"guide/runs.html", "Running a model and reading results"},
      {"guide/sensitivity.html", "Sensitivity families"},
      {"guide/reports.html", "Run comparison reports"},
      {"guide/revisions.html", "Revisions"},
      {"guide/command_line.html", "The orvo command line"},
      {"guide/settings.html", "Settings and files"},
  };
  return pages;
}

const std::vector<HelpPage>& ReferencePages() {
  static const std::vector<HelpPage> pages = {
      {kReferenceHome, "ORVO5 input dataset reference"},
      {"reference/conventions.html", "Deck conventions"},
      {"reference/card_a.html", "Card A: model identification"},
      {"reference/card_b.html", "Card B: exchanges"},
      {"reference/card_c.html", "Card C: volumes"},
      {"reference/card_d.html", "Card D: flows"},
      {"reference/card_e.html", "Card E: boundaries"},
      {"reference/card_f.html", "Card F: waste loads"},
      {"reference/card_g.html", "Card G: segment parameters"},
      {"reference/card_h.html", "Card H: constants"},
      {"reference/card_i.html", "Card I: kinetic time functions"},
      {"reference/card_j.html", "Card J: initial conditions"},
  };
  return pages;
}

QString CardPage(char card) {
  return QStringLiteral("reference/card_%1.html").arg(QChar(card).toLower());
}

QString HelpPageFor(const QWidget* window) {
  for (const QWidget* widget = window; widget != nullptr; widget = widget->parentWidget()) {
    // Group editors, global and per node, name their group in the title.
    static const QRegularExpression group(QStringLiteral("\\bGroup ([A-J])\\b"));
    const QRegularExpressionMatch match = group.match(widget->windowTitle());
    if (widget->isWindow() && match.hasMatch()) return CardPage(match.captured(1)[0].toLatin1());
    const char* name = widget->metaObject()->className();
    const char* local = std::strrchr(name, ':');
    local = local != nullptr ? local + 1 : name;
    for (const auto& [window_class, page] : kWindowPages) {
      if (std::strcmp(local, window_class) == 0) return QString::fromLatin1(page);
    }
    if (qobject_cast<const HelpWindow*>(widget) != nullptr) return kGuideHome;
  }
  return kGuideHome;
}

// ---------------------------------------------------------------------------------------------

HelpWindow* HelpWindow::Instance() {
  return the_window;
}

HelpWindow* HelpWindow::ShowPage(const QString& page) {
  if (the_window == nullptr) the_window = new HelpWindow;
  // A modal editor blocks every other window; help asked for from it is made its child so
  // that it can be read and scrolled, and goes back to standing alone when the editor ends.
  auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
  if (modal != nullptr && the_window->parentWidget() != modal) {
    const QRect place = the_window->geometry();
    const bool was_shown = the_window->isVisible();
    the_window->setParent(modal, Qt::Window);
    if (was_shown) the_window->setGeometry(place);
    QPointer<HelpWindow> help = the_window.data();
    connect(modal, &QDialog::finished, help, [help] {
      const QRect kept = help->geometry();
      help->setParent(nullptr, Qt::Window);
      help->setGeometry(kept);
      help->show();
    });
  }
  the_window->Open(page);
  the_window->show();
  the_window->raise();
  the_window->activateWindow();
  return the_window;
}

HelpWindow::HelpWindow() : QMainWindow(nullptr) {
  InitHelpResources();
  setAttribute(Qt::WA_DeleteOnClose);
  // The program ends with its main window, whether help is open or not.
  setAttribute(Qt::WA_QuitOnClose, false);
  setWindowTitle(QStringLiteral("ORVO Builder Help"));
  setWindowIcon(QIcon(QStringLiteral(":/shell/orvobuilder.svg")));

  browser_ = new QTextBrowser;
  browser_->setOpenExternalLinks(true);
  browser_->setSearchPaths({QStringLiteral(":/help")});
  browser_->document()->setDefaultStyleSheet(QStringLiteral(
      "th { background-color: #dde6ee; } td, th { padding: 3px; } code { color: #0b3f63; } "
      "h1 { color: #1f5f8b; } h2 { color: #1f5f8b; }"));
  connect(browser_, &QTextBrowser::sourceChanged, this, &HelpWindow::SourceChanged);

  contents_ = new QTreeWidget;
  contents_->setHeaderHidden(true);
  for (const auto* book : {&GuidePages(), &ReferencePages()}) {
    auto* root = new QTreeWidgetItem(contents_, {QString::fromUtf8(book->front().title)});
    root->setData(0, Qt::UserRole, QString::fromLatin1(book->front().path));
    for (size_t i = 1; i < book->size(); ++i) {
      auto* item = new QTreeWidgetItem(root, {QString::fromUtf8((*book)[i].title)});
      item->setData(0, Qt::UserRole, QString::fromLatin1((*book)[i].path));
    }
    root->setExpanded(true);
  }
  connect(contents_, &QTreeWidget::itemClicked, this,
          [this](QTreeWidgetItem* item) { Open(item->data(0, Qt::UserRole).toString()); });

  auto* search_page = new QWidget;
  search_ = new QLineEdit;
  search_->setPlaceholderText(QStringLiteral("Words to find"));
  search_->setClearButtonEnabled(true);
  results_ = new QListWidget;
  auto* search_layout = new QVBoxLayout(search_page);
  search_layout->setContentsMargins(4, 4, 4, 4);
  search_layout->addWidget(search_);
  search_layout->addWidget(results_);
  connect(search_, &QLineEdit::returnPressed, this, [this] { Search(search_->text()); });
  connect(results_, &QListWidget::itemActivated, this, &HelpWindow::OpenResult);
  connect(results_, &QListWidget::itemClicked, this, &HelpWindow::OpenResult);

  tabs_ = new QTabWidget;
  tabs_->addTab(contents_, QStringLiteral("Contents"));
  tabs_->addTab(search_page, QStringLiteral("Search"));

  auto* splitter = new QSplitter;
  splitter->addWidget(tabs_);
  splitter->addWidget(browser_);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({320, 640});
  setCentralWidget(splitter);

  QToolBar* bar = addToolBar(QStringLiteral("Navigation"));
  bar->setMovable(false);
  bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  back_ = bar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("Back"),
                         browser_, &QTextBrowser::backward);
  back_->setShortcut(QKeySequence::Back);
  back_->setEnabled(false);
  forward_ = bar->addAction(style()->standardIcon(QStyle::SP_ArrowForward),
                            QStringLiteral("Forward"), browser_, &QTextBrowser::forward);
  forward_->setShortcut(QKeySequence::Forward);
  forward_->setEnabled(false);
  bar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), QStringLiteral("Contents"), this,
                 [this] { Open(QString::fromLatin1(kGuideHome)); });
  bar->addAction(style()->standardIcon(QStyle::SP_FileDialogDetailedView),
                 QStringLiteral("Input Dataset"), this,
                 [this] { Open(QString::fromLatin1(kReferenceHome)); });
  auto* find = new QAction(QStringLiteral("Search"), this);
  find->setShortcut(QKeySequence::Find);
  connect(find, &QAction::triggered, this, [this] {
    tabs_->setCurrentIndex(1);
    search_->setFocus();
    search_->selectAll();
  });
  addAction(find);
  connect(browser_, &QTextBrowser::backwardAvailable, back_, &QAction::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QAction::setEnabled);
  resize(1000, 680);
}

HelpWindow::~HelpWindow() = default;

QString HelpWindow::CurrentPage() const {
  QString path = browser_->source().path();
  if (path.startsWith(QStringLiteral("/help/"))) path.remove(0, 6);
  return path;
}

void HelpWindow::Open(const QString& page) {
  const QString path = page.section(u'#', 0, 0);
  const QString fragment = page.section(u'#', 1);
  QUrl url = PageUrl(path);
  if (!fragment.isEmpty()) url.setFragment(fragment);
  browser_->setSource(url);
}

void HelpWindow::SourceChanged(const QUrl& /*url*/) {
  const QString page = CurrentPage();
  setWindowTitle(browser_->documentTitle().isEmpty()
                     ? QStringLiteral("ORVO Builder Help")
                     : browser_->documentTitle() + QStringLiteral(" - ORVO Builder Help"));
  // The contents follow the page, whichever way it was reached.
  for (QTreeWidgetItemIterator it(contents_); *it != nullptr; ++it) {
    if ((*it)->data(0, Qt::UserRole).toString() == page) {
      contents_->setCurrentItem(*it);
      break;
    }
  }
}

QString HelpWindow::PlainText(const QString& page) {
  QFile file(QStringLiteral(":/help/") + page);
  if (!file.open(QIODevice::ReadOnly)) return {};
  QTextDocument document;
  document.setHtml(QString::fromUtf8(file.readAll()));
  return document.toPlainText();
}

void HelpWindow::Search(const QString& text) {
  tabs_->setCurrentIndex(1);
  search_->setText(text);
  results_->clear();
  last_search_ = text.simplified();
  const QStringList words = last_search_.split(u' ', Qt::SkipEmptyParts);
  if (words.isEmpty()) return;
  if (texts_.empty()) {
    for (const auto* book : {&GuidePages(), &ReferencePages()}) {
      for (const HelpPage& page : *book) {
        const QString path = QString::fromLatin1(page.path);
        texts_.emplace_back(path, PlainText(path));
      }
    }
  }
  std::vector<std::pair<int, QString>> found;  // hits, page
  for (const auto& [page, plain] : texts_) {
    int hits = 0;
    for (const QString& word : words) {
      const int count = static_cast<int>(plain.count(word, Qt::CaseInsensitive));
      if (count == 0) {
        hits = 0;
        break;
      }
      hits += count;
    }
    if (hits > 0) found.emplace_back(hits, page);
  }
  std::stable_sort(found.begin(), found.end(),
                   [](const auto& a, const auto& b) { return a.first > b.first; });
  for (const auto& [hits, page] : found) {
    QString title = page;
    for (const auto* book : {&GuidePages(), &ReferencePages()}) {
      for (const HelpPage& known : *book) {
        if (page == QLatin1String(known.path)) title = QString::fromUtf8(known.title);
      }
    }
    auto* item = new QListWidgetItem(title, results_);
    item->setData(Qt::UserRole, page);
  }
  if (found.empty()) {
    auto* item = new QListWidgetItem(QStringLiteral("No page holds all of these words."), results_);
    item->setFlags(Qt::NoItemFlags);
  }
}

void HelpWindow::OpenResult() {
  QListWidgetItem* item = results_->currentItem();
  if (item == nullptr || item->data(Qt::UserRole).toString().isEmpty()) return;
  Open(item->data(Qt::UserRole).toString());
  // The first word found is selected, so that the reader sees where it is.
  const QString first = last_search_.section(u' ', 0, 0);
  if (!first.isEmpty()) browser_->find(first);
}

// ---------------------------------------------------------------------------------------------

namespace {

class HelpKey : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1 ||
        static_cast<QKeyEvent*>(event)->modifiers() != Qt::NoModifier) {
      return false;
    }
    // The key reaches every widget up the chain; answer it once, for the window in front.
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr) return false;
    QWidget* window = QApplication::activeModalWidget();
    if (window == nullptr) window = widget->window();
    HelpWindow::ShowPage(HelpPageFor(window));
    return true;
  }
};

}  // namespace

void InstallHelpKey() {
  static QPointer<HelpKey> filter;
  if (filter != nullptr) return;
  filter = new HelpKey(qApp);
  qApp->installEventFilter(filter);
}

}  // namespace orvo::ui
