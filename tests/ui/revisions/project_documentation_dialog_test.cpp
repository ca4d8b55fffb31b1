// The two revision windows on the real RCS programs, driven with clicks and typing. With
// ORVO_GRAB_DIR set, pictures of both windows are written there for a look.
#include "ui/revisions/project_documentation_dialog.h"

#include <QListWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <fstream>

#include "model/scripted_platform.h"
#include "support/grid_typing.h"
#include "support/widget_dump.h"

using namespace orvo;
using namespace orvo::ui;
using Mode = ProjectDocumentationDialog::Mode;

namespace {

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

QStringList Lines(const QListWidget& list) {
  QStringList lines;
  for (int i = 0; i < list.count(); ++i) lines << list.item(i)->text();
  return lines;
}

// A click on a row of the list, as the user makes it.
void ClickRow(QListWidget& list, int row) {
  const QRect rect = list.visualItemRect(list.item(row));
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, rect.center());
}

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

class ProjectDocumentationDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    platform_.messages.clear();
    platform_.answers.clear();
    project_ = dir_.filePath(QStringLiteral("case %1/river's.orb").arg(++case_)).toStdString();
    QDir().mkpath(QFileInfo(Q(project_)).path());
  }

  void ReviewListsTheRevisionsAndTheirLogs() {
    ThreeRevisions();
    ProjectDocumentationDialog dialog(Mode::kOpen, project_, platform_);
    dialog.show();
    ORVO_COMPARE_WINDOW("ui/revisions/project_documentation/review.txt", dialog);
    QVERIFY(dialog.name_edit() == nullptr && dialog.save_button() == nullptr);

    ClickRow(*dialog.list(), 1);
    ORVO_COMPARE_WINDOW("ui/revisions/project_documentation/review_1_2.txt", dialog);
    testing::Grab(&dialog, QStringLiteral("review"));
    ClickRow(*dialog.list(), 2);
    ORVO_COMPARE_WINDOW("ui/revisions/project_documentation/review_1_1.txt", dialog);
    dialog.list()->clearSelection();
    ORVO_COMPARE_WINDOW("ui/revisions/project_documentation/review.txt", dialog);
    QCOMPARE(platform_.messages, std::vector<std::string>{});
  }

  void OpenVersionAsksThenChecksOut() {
    ThreeRevisions();
    ProjectDocumentationDialog dialog(Mode::kOpen, project_, platform_);
    dialog.show();
    dialog.open_button()->click();
    QCOMPARE(platform_.messages, std::vector<std::string>{"Please select a version to open"});

    ClickRow(*dialog.list(), 2);
    platform_.messages.clear();
    platform_.answers = {false};
    dialog.open_button()->click();
    QCOMPARE(platform_.messages,
             std::vector<std::string>{"? Warning: this operation will overwrite river's.orb.  "
                                      "Continue?"});
    QVERIFY(dialog.isVisible());
    QCOMPARE(Q(ReadBytes(project_)), QStringLiteral("content 3"));

    dialog.open_button()->click();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(Q(dialog.done_revision()), QStringLiteral("1.1"));
    QCOMPARE(Q(ReadBytes(project_)), QStringLiteral("content 1"));
  }

  void DeleteVersion() {
    WriteBytes(project_, "only");
    {
      RCSClass record(project_, platform_);
      QVERIFY(record.CIVersion("", "", "one"));
    }
    {
      ProjectDocumentationDialog dialog(Mode::kOpen, project_, platform_);
      ClickRow(*dialog.list(), 0);
      dialog.delete_button()->click();
      QCOMPARE(platform_.messages,
               std::vector<std::string>{"Sorry, can't delete the last version"});
    }
    init();
    ThreeRevisions();
    ProjectDocumentationDialog dialog(Mode::kSave, project_, platform_);
    dialog.show();
    dialog.delete_button()->click();
    QCOMPARE(platform_.messages, std::vector<std::string>{"Please select a version to delete"});
    ClickRow(*dialog.list(), 1);
    platform_.messages.clear();
    platform_.answers = {false};
    dialog.delete_button()->click();
    QCOMPARE(
        platform_.messages,
        std::vector<std::string>{"? Delete version 1.2 of river's.orb? It cannot be restored."});
    QCOMPARE(dialog.list()->count(), 3);
    dialog.delete_button()->click();
    QCOMPARE(Lines(*dialog.list()), (QStringList{"1.3 ", "1.1 "}));
    QCOMPARE(dialog.log_label()->text(), QStringLiteral("Log message"));
    QVERIFY(dialog.isVisible());
  }

  void SaveNewVersionChecksInTheTypedTexts() {
    WriteBytes(project_, "first");
    {
      ProjectDocumentationDialog dialog(Mode::kSave, project_, platform_);
      dialog.show();
      QCOMPARE(dialog.windowTitle(), QStringLiteral("Project Documentation - Save"));
      QCOMPARE(dialog.list()->count(), 0);
      QVERIFY(dialog.open_button() == nullptr);
      QTest::keyClicks(dialog.name_edit(), "first release");
      dialog.text_edit()->setFocus();
      QTest::keyClicks(dialog.text_edit(), "Survey");
      QTest::keyClick(dialog.text_edit(), Qt::Key_Return);
      QTest::keyClicks(dialog.text_edit(), ".");
      QTest::keyClick(dialog.text_edit(), Qt::Key_Return);
      QTest::keyClicks(dialog.text_edit(), "done");
      dialog.save_button()->click();
      QVERIFY(!dialog.isVisible());
      QCOMPARE(Q(dialog.done_revision()), QStringLiteral("1.1"));
    }
    QVERIFY(QFileInfo::exists(QFileInfo(Q(project_)).path() + "/RCS/river's.orb,v"));
    WriteBytes(project_, "second");
    ProjectDocumentationDialog dialog(Mode::kSave, project_, platform_);
    dialog.show();
    QCOMPARE(Lines(*dialog.list()), QStringList{"1.1 first_release"});
    QCOMPARE(dialog.description_box()->toPlainText(), QStringLiteral("Survey\n.\ndone"));

    // A name RCS would refuse, then one already used: the window stays with the texts typed.
    QTest::keyClicks(dialog.name_edit(), "v2.0");
    QTest::keyClicks(dialog.text_edit(), "Second");
    testing::Grab(&dialog, QStringLiteral("save"));
    dialog.save_button()->click();
    QCOMPARE(platform_.messages.size(), size_t{1});
    QVERIFY(Q(platform_.messages[0]).contains("A version name begins with a letter"));
    dialog.name_edit()->setText(QStringLiteral("first release"));
    dialog.save_button()->click();
    QCOMPARE(platform_.messages.size(), size_t{2});
    QVERIFY(Q(platform_.messages[1]).contains("symbolic name first_release already bound"));
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.text_edit()->toPlainText(), QStringLiteral("Second"));
    QCOMPARE(dialog.list()->count(), 1);

    dialog.name_edit()->clear();
    dialog.save_button()->click();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(Q(dialog.done_revision()), QStringLiteral("1.2"));
    RCSClass record(project_, platform_);
    QCOMPARE(Q(record.log_messages.front()), QStringLiteral("Second"));
  }

 private:
  // Three revisions, the second named "base".
  void ThreeRevisions() {
    const std::pair<const char*, const char*> versions[] = {
        {"", "River study\nfirst cut"}, {"base", "Lake segments"}, {"", "Flows of card D"}};
    int number = 0;
    for (const auto& [name, text] : versions) {
      WriteBytes(project_, "content " + std::to_string(++number));
      RCSClass record(project_, platform_);
      QVERIFY(record.CIVersion(record.NextRevision(), name, text));
    }
  }

  QTemporaryDir dir_;
  ScriptedPlatform platform_;
  std::string project_;
  int case_ = 0;
};

QTEST_MAIN(ProjectDocumentationDialogTest)
#include "project_documentation_dialog_test.moc"
