// "Review Changes..." and "Document Changes..." in the main window: what a version checked
// out or in means for the projects open there.
#include "ui/revisions/revision_commands.h"

#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "model/scripted_platform.h"
#include "support/modal_dialog.h"
#include "support/network_builder.h"
#include "ui/revisions/project_documentation_dialog.h"
#include "ui/shell/child_frame.h"
#include "ui/shell/main_frame.h"

using namespace orvo;
using namespace orvo::ui;

namespace {

// A project file of segments segments.
void SaveProject(const QString& path, int segments) {
  ScriptedPlatform platform;
  COrvoBuilderDoc doc(platform);
  for (int i = 0; i < segments; ++i) testing::AddSegmentWithLabel(doc, 60 + 80 * i, 100);
  QVERIFY(doc.Save(LocalPath(path)));
}

int Segments(const COrvoBuilderDoc& doc) {
  int count = 0;
  for (const auto& node : doc.nodes()) count += node->type() == kSegmentNode ? 1 : 0;
  return count;
}

// Checks out the revision at row of the review window once it shows.
void OpenRowOnModal(int row) {
  testing::OnModal<ProjectDocumentationDialog>([row](ProjectDocumentationDialog* dialog) {
    dialog->list()->setCurrentRow(row);
    dialog->open_button()->click();
  });
}

std::vector<CChildFrame*> Frames(CMainFrame& frame) {
  std::vector<CChildFrame*> frames;
  for (QMdiSubWindow* window : frame.mdi_area()->subWindowList()) {
    auto* child = qobject_cast<CChildFrame*>(window);
    if (child != nullptr && !child->isHidden()) frames.push_back(child);
  }
  return frames;
}

}  // namespace

class RevisionCommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    path_ = dir_.filePath(QStringLiteral("case %1/river.orb").arg(++case_));
    QDir().mkpath(QFileInfo(path_).path());
    // Revision 1.1 has one segment, 1.2 two.
    ScriptedPlatform platform;
    for (int segments : {1, 2}) {
      SaveProject(path_, segments);
      RCSClass record(LocalPath(path_), platform);
      QVERIFY(record.CIVersion(record.NextRevision(), "", "segments"));
    }
  }

  void CheckedOutVersionOpensAsADocument() {
    CMainFrame frame;
    frame.show();
    testing::BoxAnswers answers({QMessageBox::Ok});
    OpenRowOnModal(1);
    QVERIFY(ReviewChanges(frame, path_));
    QCOMPARE(answers.texts,
             QStringList{"Warning: this operation will overwrite river.orb.  Continue?"});
    QCOMPARE(Frames(frame).size(), size_t{1});
    CChildFrame* opened = frame.ActiveFrame();
    QVERIFY(opened != nullptr);
    QCOMPARE(opened->project()->path, QFileInfo(path_).absoluteFilePath());
    QCOMPARE(Segments(opened->document()), 1);
  }

  void ClosingTheReviewOpensNothing() {
    CMainFrame frame;
    testing::OnModal<ProjectDocumentationDialog>(
        [](ProjectDocumentationDialog* dialog) { dialog->close_button()->click(); });
    QVERIFY(!ReviewChanges(frame, path_));
    QVERIFY(Frames(frame).empty());
  }

  void OpenProjectIsReloadedAfterAsking() {
    CMainFrame frame;
    frame.show();
    CChildFrame* open = frame.OpenFile(path_);
    QVERIFY(open != nullptr);
    QCOMPARE(Segments(open->document()), 2);
    testing::AddSegmentWithLabel(open->document(), 300, 300);  // a change not saved
    QVERIFY(open->document().IsModified());

    {  // No: the open project stays as it was.
      testing::BoxAnswers answers({QMessageBox::Ok, QMessageBox::No});
      OpenRowOnModal(1);
      QVERIFY(ReviewChanges(frame, path_));
      QCOMPARE(answers.texts.value(1),
               QStringLiteral("river.orb now holds version 1.1. Reload it? The changes not saved "
                              "in the open project are lost."));
      QCOMPARE(Frames(frame).size(), size_t{1});
      QCOMPARE(Segments(frame.ActiveFrame()->document()), 3);
      QVERIFY(frame.ActiveFrame()->document().IsModified());
    }
    {  // Yes: the project is read again from the file.
      testing::BoxAnswers answers({QMessageBox::Ok, QMessageBox::Yes});
      OpenRowOnModal(0);
      QVERIFY(ReviewChanges(frame, path_));
      QCOMPARE(answers.texts.size(), 2);
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
      const std::vector<CChildFrame*> frames = Frames(frame);
      QCOMPARE(frames.size(), size_t{1});
      QCOMPARE(Segments(frames[0]->document()), 2);
      QVERIFY(!frames[0]->document().IsModified());
    }
  }

  void ModifiedProjectIsSavedBeforeItIsDocumented() {
    CMainFrame frame;
    frame.show();
    CChildFrame* open = frame.OpenFile(path_);
    QVERIFY(open != nullptr);
    testing::AddSegmentWithLabel(open->document(), 300, 300);
    testing::BoxAnswers answers({QMessageBox::Yes});
    testing::OnModal<ProjectDocumentationDialog>([](ProjectDocumentationDialog* dialog) {
      QCOMPARE(dialog->list()->count(), 2);
      dialog->text_edit()->setPlainText(QStringLiteral("Third segment"));
      dialog->save_button()->click();
    });
    QVERIFY(DocumentChanges(frame, path_));
    QCOMPARE(answers.texts, QStringList{"Save changes to river.orb?"});
    QVERIFY(!open->document().IsModified());
    ScriptedPlatform platform;
    RCSClass record(LocalPath(path_), platform);
    QCOMPARE(QString::fromStdString(record.revisions.front()), QStringLiteral("1.3"));
    QCOMPARE(QString::fromStdString(record.log_messages.front()), QStringLiteral("Third segment"));
    // The revision holds what was saved: checked out again it reads as three segments.
    QVERIFY(record.CheckOut("1.3"));
    COrvoBuilderDoc reread(platform);
    QVERIFY(reread.Load(LocalPath(path_)));
    QCOMPARE(Segments(reread), 3);
  }

  void CancelStopsBeforeTheWindow() {
    CMainFrame frame;
    CChildFrame* open = frame.OpenFile(path_);
    testing::AddSegmentWithLabel(open->document(), 300, 300);
    testing::BoxAnswers answers({QMessageBox::Cancel});
    QVERIFY(!DocumentChanges(frame, path_));
    QCOMPARE(answers.texts.size(), 1);
    QVERIFY(open->document().IsModified());
  }

  void NewFileNameSavesTheActiveProjectThere() {
    CMainFrame frame;
    frame.show();
    CChildFrame* untitled = frame.NewProject();
    testing::AddSegmentWithLabel(untitled->document(), 100, 100);
    const QString target = QFileInfo(path_).path() + QStringLiteral("/new study.orb");
    testing::OnModal<ProjectDocumentationDialog>([](ProjectDocumentationDialog* dialog) {
      QCOMPARE(dialog->list()->count(), 0);
      dialog->text_edit()->setPlainText(QStringLiteral("A new study"));
      dialog->save_button()->click();
    });
    QVERIFY(DocumentChanges(frame, target));
    QCOMPARE(untitled->project()->path, target);
    ScriptedPlatform platform;
    RCSClass record(LocalPath(target), platform);
    QCOMPARE(record.revisions, std::vector<std::string>{"1.1"});
    QCOMPARE(QString::fromStdString(record.description), QStringLiteral("A new study"));
  }

 private:
  QTemporaryDir dir_;
  QString path_;
  int case_ = 0;
};

QTEST_MAIN(RevisionCommandsTest)
#include "revision_commands_test.moc"
