// The help window: our user guide and input-dataset reference, HTML pages built into the
// program as resources (":/help/..."), shown with a contents tree, a word search and
// back/forward. One window serves the whole program.
#pragma once

#include <QMainWindow>
#include <QString>
#include <vector>

class QAction;
class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;
class QTreeWidget;
class QUrl;

namespace orvo::ui {

struct HelpPage {
  const char* path;   // below ":/help/"
  const char* title;  // as the contents list it
};

// The guide's pages, then the reference's, each book's first page its own contents page.
const std::vector<HelpPage>& GuidePages();
const std::vector<HelpPage>& ReferencePages();
inline constexpr const char* kGuideHome = "guide/index.html";
inline constexpr const char* kReferenceHome = "reference/index.html";
// The reference page of card letter 'A' to 'J'.
QString CardPage(char card);

// The page F1 opens for a window: the card page of a group editor (by the group letter its
// title names), the guide's page of a node dialog or of the other windows; the guide's
// contents for anything else.
QString HelpPageFor(const QWidget* window);

class HelpWindow : public QMainWindow {
  Q_OBJECT

 public:
  // Shows the page (a path of HelpPages) in the program's help window, made on first use.
  static HelpWindow* ShowPage(const QString& page);
  // The window when it exists.
  static HelpWindow* Instance();
  ~HelpWindow() override;

  QTextBrowser* browser() const { return browser_; }
  QTreeWidget* contents() const { return contents_; }
  QLineEdit* search_field() const { return search_; }
  QListWidget* results() const { return results_; }
  QAction* back_action() const { return back_; }
  QAction* forward_action() const { return forward_; }
  // The page shown, as a path below ":/help/" (no fragment).
  QString CurrentPage() const;
  void Open(const QString& page);
  // Lists the pages holding every word of text (case ignored), best first.
  void Search(const QString& text);

 private:
  HelpWindow();
  void SourceChanged(const QUrl& url);
  void OpenResult();
  QString PlainText(const QString& page);

  QTextBrowser* browser_ = nullptr;
  QTabWidget* tabs_ = nullptr;
  QTreeWidget* contents_ = nullptr;
  QLineEdit* search_ = nullptr;
  QListWidget* results_ = nullptr;
  QAction* back_ = nullptr;
  QAction* forward_ = nullptr;
  QString last_search_;
  std::vector<std::pair<QString, QString>> texts_;  // page, plain text (filled on first search)
};

// F1 anywhere in the program opens HelpPageFor the active window.
void InstallHelpKey();

}  // namespace orvo::ui
