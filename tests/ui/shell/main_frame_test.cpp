// The main window: its menus and their state, the file commands and the recent-file list.
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "deck/deck_writer.h"
#include "model/project_document.h"
#include "ui/shell/child_frame.h"
#include "ui/shell/main_frame.h"

using namespace orvo;
using namespace orvo::ui;

namespace {

// Answers every message box that opens while it lives with button and keeps their texts.
class BoxAnswerer {
 public:
  explicit BoxAnswerer(QMessageBox::StandardButton button) {
    QObject::connect(&timer_, &QTimer::timeout, [this, button] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      texts << box->text();
      QAbstractButton* chosen = box->button(button);
      if (chosen == nullptr) chosen = box->buttons().value(0);
      chosen->click();
    });
    timer_.start(10);
  }
  QStringList texts;

 private:
  QTimer timer_;
};

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

QStringList VisibleMenus(CMainFrame& frame) {
  QStringList texts;
  for (QAction* action : frame.menuBar()->actions()) {
    if (action->isVisible()) texts << action->text();
  }
  return texts;
}

QByteArray Bytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void DeleteClosed() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

const QString kRiver = QStringLiteral(ORVO_SOURCE_DIR "/examples/river/river.orb");

}  // namespace

class MainFrameTest : public QObject {
  Q_OBJECT

 private slots:
  // A settings store of this program's own, away from the user's and the other tests'.
  void initTestCase() {
    QVERIFY(settings_directory_.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings_directory_.path());
  }

  void Items_data() {
    QTest::addColumn<QStringList>("path");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("shortcuts");
    QTest::newRow("new") << QStringList{"&File", "New &ORVO Builder"} << "New ORVO Builder"
                         << "Ctrl+N";
    QTest::newRow("open") << QStringList{"&File", "&Open...", "&Open..."}
                          << "Open an existing document"
                          << "Ctrl+O";
    QTest::newRow("save") << QStringList{"&File", "Save", "&Save"} << "Save the active document"
                          << "Ctrl+S";
    QTest::newRow("print") << QStringList{"&File", "&Print..."} << "Print the active document"
                           << "Ctrl+P";
    QTest::newRow("exit") << QStringList{"&File", "E&xit"}
                          << "Quit the application; prompts to save documents"
                          << "";
    QTest::newRow("read") << QStringList{"O&RVO", "&Read ORVO Input Dataset"}
                          << "Build a network model from a ORVO input file."
                          << "";
    QTest::newRow("import C") << QStringList{"O&RVO", "Import...", "Group &C (Volumes)"}
                              << "Read group C data from a ORVO input file."
                              << "";
    QTest::newRow("study H") << QStringList{"O&RVO", "Sensitivity Analysis", "Group H (Constants)"}
                             << "Study the effect of changing parameters in card H has on model "
                                "output."
                             << "";
    QTest::newRow("undo") << QStringList{"&Edit", "&Undo"} << "Undo the last change"
                          << "Ctrl+Z, Alt+Backspace";
    QTest::newRow("redo") << QStringList{"&Edit", "&Redo"} << "Redo the change undone last"
                          << "Ctrl+Y";
    QTest::newRow("find") << QStringList{"&Edit", "&Find Segment..."}
                          << "Scroll to a segment by its ID and select it."
                          << "Ctrl+F";
    QTest::newRow("about") << QStringList{"&Help", "&About ORVO Builder..."}
                           << "Display program information and version number"
                           << "";
  }
  void Items() {
    QFETCH(QStringList, path);
    QFETCH(QString, status);
    QFETCH(QString, shortcuts);
    CMainFrame frame;
    QAction* action = Item(frame, path);
    QVERIFY2(action != nullptr, qPrintable(path.join(" > ")));
    QCOMPARE(action->statusTip(), status);
    QStringList keys;
    for (const QKeySequence& key : action->shortcuts()) keys << key.toString();
    QCOMPARE(keys.join(", "), shortcuts);
  }

  void MenusFollowTheActiveProject() {
    CMainFrame frame;
    frame.show();
    QCOMPARE(VisibleMenus(frame), (QStringList{"&File", "&View", "&Help"}));
    QVERIFY(!Item(frame, {"&File", "Save &As..."})->isVisible());
    QVERIFY(Item(frame, {"&File", "P&rint Setup..."})->isVisible());
    CChildFrame* child = frame.NewProject();
    QCOMPARE(VisibleMenus(frame),
             (QStringList{"&File", "&Edit", "O&RVO", "&View", "&Window", "&Help"}));
    QCOMPARE(child->windowTitle(), QStringLiteral("OrvoB1[*]"));
    QVERIFY(Item(frame, {"O&RVO", "&Write ORVO Input Dataset"})->isEnabled());
    // Commands of later work stay disabled, with a project too.
    const QList<QStringList> later = {
        {"O&RVO", "Sensitivity Analysis", "Group J (Initial Conditions)"},
        {"&Help", "&ORVO Builder Help"},
        {"&Help", "ORVO5 &Input Dataset Help"}};
    frame.UpdateCommandState();
    for (const QStringList& path : later) {
      QAction* action = Item(frame, path);
      QVERIFY2(action != nullptr && !action->isEnabled(), qPrintable(path.join(" > ")));
    }
    // The commands that work are on with a project.
    const QList<QStringList> working = {{"&File", "New &Report"},
                                        {"O&RVO", "Locate ORVO5 Executables"},
                                        {"O&RVO", "Edit Value Ranges"},
                                        {"O&RVO", "&Edit Project Parameters"},
                                        {"O&RVO", "Import...", "Group &C (Volumes)"},
                                        {"O&RVO", "Import...", "Import All Groups"},
                                        {"O&RVO", "Check Card Completeness"},
                                        {"O&RVO", "View Input", "Card I (Kinetic Time Funcs)"},
                                        {"O&RVO", "E&xecute ORVO"},
                                        {"O&RVO", "Execute File..."},
                                        {"O&RVO", "View Output"},
                                        {"&File", "&Open...", "&Review Changes..."},
                                        {"&File", "Save", "&Document Changes..."}};
    for (const QStringList& path : working) {
      QAction* action = Item(frame, path);
      QVERIFY2(action != nullptr && action->isEnabled(), qPrintable(path.join(" > ")));
    }
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
    QCOMPARE(Bytes(directory.filePath("second.orb")), Bytes(first));
    QVERIFY(!Bytes(first).isEmpty());

    CChildFrame* river = frame.OpenFile(kRiver);
    QVERIFY(river != nullptr);
    QVERIFY(!river->document().nodes().empty());
    QVERIFY(frame.SaveProject(*river, directory.filePath("river.orb")));
    QCOMPARE(Bytes(directory.filePath("river.orb")), Bytes(kRiver));
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
      BoxAnswerer cancel(QMessageBox::Cancel);
      QVERIFY(!child->close());
      QCOMPARE(cancel.texts, QStringList{"Save changes to OrvoB1?"});
    }
    DeleteClosed();
    QCOMPARE(frame.mdi_area()->subWindowList().size(), 1);
    {
      BoxAnswerer cancel(QMessageBox::Cancel);
      QVERIFY(!frame.close());
      QCOMPARE(cancel.texts.size(), 1);
    }
    undo->trigger();
    QCOMPARE(document.group_a.TITLE1, std::string());
    QVERIFY(!undo->isEnabled());
    QVERIFY(Item(frame, {"&Edit", "&Redo Edit Title"})->isEnabled());
    document.SetModifiedFlag(true);
    {
      BoxAnswerer discard(QMessageBox::No);
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
    QCOMPARE(Bytes(directory.filePath("run1.inp")).toStdString(), deck);
    QCOMPARE(river->document().input_deck_path, run1 + ".inp");
    QVERIFY(!river->document().IsModified());
    // "run2" becomes run2.inp, which the chooser never asked about.
    QFile old(directory.filePath("run2.inp"));
    QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old\n") == 4);
    old.close();
    {
      BoxAnswerer keep(QMessageBox::No);
      QVERIFY(!frame.WriteDataset(*river, directory.filePath("run2").toStdString()));
      QCOMPARE(keep.texts, QStringList{directory.filePath("run2.inp") +
                                       " already exists.\nDo you want to replace it?"});
    }
    QCOMPARE(Bytes(directory.filePath("run2.inp")), QByteArray("old\n"));

    CChildFrame* child = frame.NewProject();
    {
      BoxAnswerer ok_box(QMessageBox::Ok);
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
      BoxAnswerer ok(QMessageBox::Ok);
      QVERIFY(frame.OpenFile(corrupt) == nullptr);
      QVERIFY(!ok.texts.isEmpty());
    }
    QVERIFY(frame.mdi_area()->subWindowList().isEmpty());

    CChildFrame* child = frame.NewProject();
    child->document().SetModifiedFlag(true);
    {
      BoxAnswerer ok(QMessageBox::Ok);
      QVERIFY(!frame.SaveProject(*child, directory.filePath("missing/dir/x.orb")));
      QCOMPARE(ok.texts.size(), 1);
    }
    QVERIFY(child->document().IsModified());
    QVERIFY(child->isWindowModified());
    child->document().SetModifiedFlag(false);
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

 private:
  QTemporaryDir settings_directory_;
};

QTEST_MAIN(MainFrameTest)
#include "main_frame_test.moc"
