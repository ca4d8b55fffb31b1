// The help: every page the program can open exists, links between pages lead somewhere, the
// menu items and F1 open the right page, and the window's search and history work.
#include "ui/help/help_window.h"
#include "support/modal_dialog.h"

#include <QAction>
#include <QDialog>
#include <QFile>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QtTest>

#include "model/project_document.h"
#include "model/scripted_platform.h"
#include "ui/editors/group_editors.h"
#include "ui/shell/main_frame.h"

void InitHelpResources();

using namespace orvo;
using namespace orvo::ui;

namespace {

bool PageExists(const QString& page) {
  return QFile::exists(QStringLiteral(":/help/") + page.section(u'#', 0, 0));
}

QStringList AllPages() {
  QStringList pages;
  for (const auto* book : {&GuidePages(), &ReferencePages()}) {
    for (const HelpPage& page : *book) pages << QString::fromLatin1(page.path);
  }
  return pages;
}

QList<QAction*> MenuActions(const QMenu* menu) {
  QList<QAction*> actions;
  for (QAction* action : menu->actions()) {
    if (action->menu() != nullptr) {
      actions += MenuActions(action->menu());
    } else if (!action->isSeparator()) {
      actions << action;
    }
  }
  return actions;
}

}  // namespace

class HelpWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { InitHelpResources(); }
  void cleanup() { delete HelpWindow::Instance(); }

  void EveryCardAndPageExists() {
    for (char card = 'A'; card <= 'J'; ++card) QVERIFY2(PageExists(CardPage(card)), &card);
    for (const QString& page : AllPages()) QVERIFY2(PageExists(page), qPrintable(page));
  }

  // Links and pictures of every page lead to resources that exist.
  void EveryLinkResolves() {
    static const QRegularExpression reference(QStringLiteral("(?:href|src)=\"([^\"#]*)[^\"]*\""));
    int links = 0;
    for (const QString& page : AllPages()) {
      QFile file(QStringLiteral(":/help/") + page);
      QVERIFY(file.open(QIODevice::ReadOnly));
      const QString html = QString::fromUtf8(file.readAll());
      QVERIFY2(html.contains(QStringLiteral("<title>")), qPrintable(page));
      for (const QRegularExpressionMatch& match : reference.globalMatch(html)) {
        const QString target = match.captured(1);
        if (target.isEmpty() || target.contains(u':')) continue;  // an anchor, a web address
        const QString resolved =
            QUrl(QStringLiteral("qrc:/help/") + page).resolved(QUrl(target)).path();
        QVERIFY2(QFile::exists(u':' + resolved), qPrintable(page + " -> " + target));
        ++links;
      }
    }
    QVERIFY(links > 50);
  }

  // Every item of the menus that opens help opens a page that exists.
  void HelpMenuItemsOpenExistingPages() {
    CMainFrame frame;
    QStringList opened;
    for (QAction* menu : frame.menuBar()->actions()) {
      if (menu->menu() == nullptr) continue;
      for (QAction* action : MenuActions(menu->menu())) {
        if (!action->text().contains(QStringLiteral("Help"))) continue;
        QVERIFY2(action->isEnabled(), qPrintable(action->text()));
        action->trigger();
        HelpWindow* help = HelpWindow::Instance();
        QVERIFY(help != nullptr && help->isVisible());
        QVERIFY(PageExists(help->CurrentPage()));
        QVERIFY(!help->browser()->toPlainText().isEmpty());
        opened << help->CurrentPage();
      }
    }
    QCOMPARE(opened, QStringList({kGuideHome, kReferenceHome}));
  }

  // F1 in each group editor opens its card's page.
  void F1InAGroupEditorOpensItsCard() {
    InstallHelpKey();
    ScriptedPlatform platform;
    COrvoBuilderDoc document(platform);
    document.group_a.SIMTYP = kFenu5;
    document.group_a.NOSYS = 6;
    for (char group = 'A'; group <= 'J'; ++group) {
      QString shown;
      testing::OnModal<QDialog>([&shown](QDialog* editor) {
        QTest::keyClick(editor, Qt::Key_F1);
        if (HelpWindow* help = HelpWindow::Instance()) shown = help->CurrentPage();
        editor->reject();
      });
      RunGroupEditor(group, document, nullptr);
      QCOMPARE(shown, CardPage(group));
    }
  }

  void NodeDialogsAndOtherWindowsHaveTheirPages() {
    QDialog node_editor;
    node_editor.setWindowTitle(QStringLiteral("Edit Group D Parameters (Flows)"));
    QCOMPARE(HelpPageFor(&node_editor), CardPage('D'));
    QWidget plain;
    QCOMPARE(HelpPageFor(&plain), QString::fromLatin1(kGuideHome));
  }

  void HistoryAndSearch() {
    HelpWindow* help = HelpWindow::ShowPage(QString::fromLatin1(kGuideHome));
    QVERIFY(!help->back_action()->isEnabled());
    help->Open(CardPage('J'));
    QCOMPARE(help->CurrentPage(), CardPage('J'));
    QVERIFY(help->back_action()->isEnabled());
    help->back_action()->trigger();
    QCOMPARE(help->CurrentPage(), QString::fromLatin1(kGuideHome));
    help->forward_action()->trigger();
    QCOMPARE(help->CurrentPage(), CardPage('J'));
    // The contents follow the page shown.
    QCOMPARE(help->contents()->currentItem()->data(0, Qt::UserRole).toString(), CardPage('J'));

    help->Search(QStringLiteral("dissf aname"));
    QStringList found;
    for (int i = 0; i < help->results()->count(); ++i) {
      found << help->results()->item(i)->data(Qt::UserRole).toString();
    }
    QVERIFY(!found.isEmpty());
    for (const QString& page : found)
      QVERIFY2(!page.isEmpty() && PageExists(page), qPrintable(page));
    help->results()->setCurrentRow(0);
    emit help->results()->itemActivated(help->results()->item(0));
    QCOMPARE(help->CurrentPage(), found.first());
    QVERIFY(help->browser()->textCursor().hasSelection());

    help->Search(QStringLiteral("dissf nosuchwordanywhere"));
    QCOMPARE(help->results()->count(), 1);
    QVERIFY(help->results()->item(0)->data(Qt::UserRole).toString().isEmpty());
  }
};

QTEST_MAIN(HelpWindowTest)
#include "help_window_test.moc"
