// The main window: its menus and their state, the file commands and the recent-file list.
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "deck/deck_writer.h"
#include "model/model_vocabulary.h"
#include "model/project_document.h"
#include "support/modal_dialog.h"
#include "support/widget_dump.h"
#include "ui/shell/child_frame.h"
#include "ui/shell/main_frame.h"

using namespace orvo;
using namespace orvo::ui;

namespace {

QMenu* SubMenu(const QList<QAction*>& actions, const QString& text) {
  for (QAction* action : actions) {
    if (action->menu() != nullptr && action->text() == text) return action->menu();
  }
  return nullptr;
}

// An item by its menu path, such as {"&File", "&Open...", "&Open..."}.
QAction* Item(CMainFrame& frame, const QStringList& path) {
  QList<QAction*> actions = frame.menuBar()->actions();
  for (qsizetype i = 0; i + 1 < path.size(); ++i) {
    QMenu* menu = SubMenu(actions, path[i]);
    if (menu == nullptr) return nullptr;
    actions = menu->actions();
  }
  for (QAction* action : actions) {
    if (action->text() == path.last()) return action;
  }
  return nullptr;
}

void DeleteClosed() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

const QString kRiver = QStringLiteral(ORVO_SOURCE_DIR "/examples/river/river.orb");

}  // namespace

class MainFrameTest : public QObject {
  Q_OBJECT

 private slots:
  // Every menu item with its status text, shortcuts and state, without and with a project
  // (tests/data/ui/shell/main_frame/menus.txt).
  void MenusFollowTheActiveProject() {
    CMainFrame frame;
    frame.show();
    QByteArray text = "-- no project\n" + testing::MenuDump(frame.menuBar()->actions());
    CChildFrame* child = frame.NewProject();
    QCOMPARE(child->windowTitle(), QStringLiteral("OrvoB1[*]"));
    frame.UpdateCommandState();
    text += "-- a new project\n" + testing::MenuDump(frame.menuBar()->actions());
    ORVO_COMPARE_EXPECTED("ui/shell/main_frame/menus.txt", text);
  }

  void SaveCloseReopenKeepsTheBytes() {
    QTemporaryDir directory;
    const QString first = directory.filePath("first.orb");
    const QString second = directory.filePath("second");
    CMainFrame frame;
    frame.show();
    CChildFrame* child = frame.NewProject();
    QVERIFY(frame.SaveProject(*child, first));
    QCOMPARE(child->windowTitle(), QStringLiteral("first.orb[*]"));
    child->close();
    DeleteClosed();
    QVERIFY(frame.mdi_area()->subWindowList().isEmpty());
    child = frame.OpenFile(first);
    QVERIFY(child != nullptr);
    QVERIFY(frame.SaveProject(*child, second));  // the extension is added
    QCOMPARE(testing::FileBytes(directory.filePath("second.orb")), testing::FileBytes(first));
    QVERIFY(!testing::FileBytes(first).isEmpty());

    CChildFrame* river = frame.OpenFile(kRiver);
    QVERIFY(river != nullptr);
    QVERIFY(!river->document().nodes().empty());
    QVERIFY(frame.SaveProject(*river, directory.filePath("river.orb")));
    QCOMPARE(testing::FileBytes(directory.filePath("river.orb")), testing::FileBytes(kRiver));
    // The same file again brings its window forward instead of a second copy.
    QCOMPARE(frame.OpenFile(directory.filePath("river.orb")), river);
  }

  void DroppedProjectsOpen() {
    CMainFrame frame;
    frame.show();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(kRiver), QUrl::fromLocalFile("/tmp/notes.txt")});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&frame, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&frame, &drop);
    QCOMPARE(frame.mdi_area()->subWindowList().size(), 1);
    QCOMPARE(frame.ActiveFrame()->project()->path, kRiver);
  }

  // The marker and the undo item follow the document's own notice, not a timer.
  void MarkerAndUndoFollowTheHistory() {
    CMainFrame frame;
    frame.show();
    for (const QTimer* timer : frame.findChildren<QTimer*>()) QVERIFY(!timer->isActive());
    CChildFrame* child = frame.NewProject();
    COrvoBuilderDoc& document = child->document();
    QAction* undo = Item(frame, {"&Edit", "&Undo"});
    QVERIFY(undo != nullptr && !undo->isEnabled());
    {
      ScopedStep step(document, "Edit Group A");
      document.group_a.TITLE1 = document.group_a.TITLE1;
      document.SetModifiedFlag(true);
    }
    QVERIFY(!child->isWindowModified());
    QVERIFY(!undo->isEnabled());
    {
      ScopedStep step(document, "Edit Group A");
      document.group_a.TITLE1 = "changed";
      document.SetModifiedFlag(true);
    }
    QVERIFY(child->isWindowModified());
    QVERIFY(undo->isEnabled());
    QCOMPARE(undo->text(), QStringLiteral("&Undo Edit Group A"));
    undo->trigger();
    QVERIFY(!child->isWindowModified());
    QVERIFY(!undo->isEnabled());
  }

  void NewAsksTheSimulationTypeAsOneStep() {
    CMainFrame frame;
    frame.show();
    testing::OnModal<QDialog>([](QDialog* dialog) {
      for (QRadioButton* radio : dialog->findChildren<QRadioButton*>()) {
        if (radio->text() == QStringLiteral("VERDA5")) radio->setChecked(true);
      }
      dialog->accept();
    });
    Item(frame, {"&File", "New &ORVO Builder"})->trigger();
    COrvoBuilderDoc& document = frame.ActiveFrame()->document();
    QCOMPARE(document.group_a.SIMTYP, static_cast<int>(kVerda5));
    QVERIFY(!document.IsModified());
    QVERIFY(document.Undo());
    QCOMPARE(document.group_a.SIMTYP, static_cast<int>(kSimUnset));
    QVERIFY(!document.CanUndo());
  }

  void ClosingAModifiedProjectAsks() {
    CMainFrame frame;
    frame.show();
    CChildFrame* child = frame.NewProject();
    COrvoBuilderDoc& document = child->document();
    {
      ScopedStep step(document, "Edit Title");
      document.group_a.TITLE1 = "changed";
      document.SetModifiedFlag(true);
    }
    frame.UpdateCommandState();
    QVERIFY(child->isWindowModified());
    QAction* undo = Item(frame, {"&Edit", "&Undo Edit Title"});
    QVERIFY(undo != nullptr && undo->isEnabled());
    {
      testing::BoxAnswers cancel({QMessageBox::Cancel});
      QVERIFY(!child->close());
      QCOMPARE(cancel.texts, QStringList{"Save changes to OrvoB1?"});
    }
    DeleteClosed();
    QCOMPARE(frame.mdi_area()->subWindowList().size(), 1);
    {
      testing::BoxAnswers cancel({QMessageBox::Cancel});
      QVERIFY(!frame.close());
      QCOMPARE(cancel.texts.size(), 1);
    }
    undo->trigger();
    QCOMPARE(document.group_a.TITLE1, std::string());
    QVERIFY(!undo->isEnabled());
    QVERIFY(Item(frame, {"&Edit", "&Redo Edit Title"})->isEnabled());
    document.SetModifiedFlag(true);
    {
      testing::BoxAnswers discard({QMessageBox::No});
      QVERIFY(child->close());
    }
    DeleteClosed();
    QVERIFY(frame.mdi_area()->subWindowList().isEmpty());
  }

  void DatasetWriteAndReadBack() {
    QTemporaryDir directory;
    CMainFrame frame;
    frame.show();
    CChildFrame* river = frame.OpenFile(kRiver);
    QVERIFY(river != nullptr);
    const std::string run1 = directory.filePath("run1").toStdString();
    QVERIFY(frame.WriteDataset(*river, run1));
    bool ok = false;
    const std::string deck = DeckText(river->document(), ok);
    QVERIFY(ok);
    QCOMPARE(testing::FileBytes(directory.filePath("run1.inp")).toStdString(), deck);
    QCOMPARE(river->document().input_deck_path, run1 + ".inp");
    QVERIFY(!river->document().IsModified());
    // "run2" becomes run2.inp, which the chooser never asked about.
    QFile old(directory.filePath("run2.inp"));
    QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old\n") == 4);
    old.close();
    {
      testing::BoxAnswers keep({QMessageBox::No});
      QVERIFY(!frame.WriteDataset(*river, directory.filePath("run2").toStdString()));
      QCOMPARE(keep.texts, QStringList{directory.filePath("run2.inp") +
                                       " already exists.\nDo you want to replace it?"});
    }
    QCOMPARE(testing::FileBytes(directory.filePath("run2.inp")), QByteArray("old\n"));

    CChildFrame* child = frame.NewProject();
    {
      testing::BoxAnswers ok_box({QMessageBox::Ok});
      QVERIFY(!frame.ReadDataset(*child, directory.filePath("none.inp").toStdString()));
      QCOMPARE(ok_box.texts, QStringList{directory.filePath("none.inp") + " open attempt failed."});
    }
    QVERIFY(child->document().nodes().empty());
    QVERIFY(frame.ReadDataset(*child, run1 + ".inp"));
    QVERIFY(!child->document().nodes().empty());
    QVERIFY(child->document().IsModified());
    QAction* undo = Item(frame, {"&Edit", "&Undo Read ORVO Input Dataset"});
    QVERIFY(undo != nullptr && undo->isEnabled());
    undo->trigger();
    QVERIFY(child->document().nodes().empty());
    child->document().SetModifiedFlag(false);
    river->document().SetModifiedFlag(false);
  }

  void BadFilesChangeNothing() {
    QTemporaryDir directory;
    const QString corrupt = directory.filePath("corrupt.orb");
    QFile file(corrupt);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("\xbf\x3d\x01\x00\x00\x00truncated");
    file.close();
    CMainFrame frame;
    frame.show();
    {
      testing::BoxAnswers ok({QMessageBox::Ok});
      QVERIFY(frame.OpenFile(corrupt) == nullptr);
      QVERIFY(!ok.texts.isEmpty());
    }
    QVERIFY(frame.mdi_area()->subWindowList().isEmpty());

    CChildFrame* child = frame.NewProject();
    child->document().SetModifiedFlag(true);
    {
      testing::BoxAnswers ok({QMessageBox::Ok});
      QVERIFY(!frame.SaveProject(*child, directory.filePath("missing/dir/x.orb")));
      QCOMPARE(ok.texts.size(), 1);
    }
    QVERIFY(child->document().IsModified());
    QVERIFY(child->isWindowModified());
    child->document().SetModifiedFlag(false);

    // A deck that cannot be read leaves the project's deck and history alone.
    const QString truncated = directory.filePath("truncated.inp");
    QFile deck(truncated);
    QVERIFY(deck.open(QIODevice::WriteOnly));
    deck.write("A title\n");
    deck.close();
    child->document().input_deck_path = "earlier.inp";
    {
      testing::BoxAnswers ok({QMessageBox::Ok});
      QVERIFY(!frame.ReadDataset(*child, truncated.toStdString()));
      QVERIFY(!ok.texts.isEmpty());
    }
    QCOMPARE(child->document().input_deck_path, std::string("earlier.inp"));
    QVERIFY(!child->document().CanUndo());
  }

  void RecentFilesKeepFour() {
    QTemporaryDir directory;
    CMainFrame frame;
    frame.show();
    CChildFrame* child = frame.NewProject();
    QStringList saved;
    for (int i = 1; i <= 5; ++i) {
      saved.prepend(directory.filePath(QStringLiteral("p%1.orb").arg(i)));
      QVERIFY(frame.SaveProject(*child, saved.first()));
    }
    saved.removeLast();
    QCOMPARE(frame.recent_files().files(), saved);
    QCOMPARE(RecentFileList().files(), saved);  // kept in the settings store
    QCOMPARE(Item(frame, {"&File", "&1 " + saved[0]})->isVisible(), true);
    QVERIFY(Item(frame, {"&File", "&4 " + saved[3]}) != nullptr);
  }
};

QTEST_MAIN(MainFrameTest)
#include "main_frame_test.moc"
