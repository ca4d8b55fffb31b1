// The valid ranges window: bounds typed as a user types them, and the file commands.
#include "ui/validation/valid_ranges_dialog.h"

#include <QTemporaryDir>
#include <QtTest>
#include <fstream>

#include "model/scripted_platform.h"
#include "support/grid_typing.h"
#include "support/modal_dialog.h"
#include "support/widget_dump.h"
#include "ui/widgets/grid_widget.h"
#include "validate/value_ranges.h"

using namespace orvo;
using namespace orvo::ui;

namespace {

QByteArray ReadBytes(const std::string& path) {
  QFile file(QString::fromStdString(path));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

const std::string kRanges = "Group J\r\nC 0 100\r\nDISSF 0.5 1\r\n";

}  // namespace

class ValidRangesDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    // As in the desktop program: the ranges are looked for beside the running program.
    platform_.program_directory = QCoreApplication::applicationDirPath().toStdString() + "/";
    doc_ = std::make_unique<COrvoBuilderDoc>(platform_);
    first_ = dir_.filePath("first.txt").toStdString();
    second_ = dir_.filePath("second.txt").toStdString();
    WriteBytes(first_, kRanges);
    QFile::remove(QString::fromStdString(second_));
    doc_->range_file_path = first_;
    platform_.messages.clear();
    platform_.files.clear();
  }
  void cleanup() { doc_.reset(); }

  void TypedBoundsAreStoredAsNumbers() {
    ValueRangeTable table;
    ValidRangesDialog dialog(table, platform_);
    GridWidget& grid = *dialog.grid();
    ORVO_COMPARE_WINDOW("ui/validation/valid_ranges/new_table.txt", dialog);
    QVERIFY(grid.EditCell(1, 1, "1.50"));
    QVERIFY(grid.EditCell(1, 2, " 2.5e3"));
    QVERIFY(grid.EditCell(2, 1, "0"));
    QVERIFY(grid.EditCell(2, 2, "0.0000001"));
    QVERIFY(!grid.EditCell(1, 0, "renamed"));
    ORVO_COMPARE_WINDOW("ui/validation/valid_ranges/typed_bounds.txt", dialog);
    QCOMPARE(Q(table.c_min), QStringLiteral("1.5"));
    QCOMPARE(Q(table.c_max), QStringLiteral("2500"));
    QCOMPARE(Q(table.dissf_min), QStringLiteral("0"));
    QCOMPARE(Q(table.dissf_max), QStringLiteral("1e-07"));
  }

  // Text that is no number is refused, naming the bound; the cell stays open and marked
  // until mended or left with Escape.
  void TextThatIsNoNumberIsRefused() {
    ValueRangeTable table;
    table.c_min = "1";
    ValidRangesDialog dialog(table, platform_);
    dialog.show();
    GridWidget* grid = dialog.grid();
    testing::TypeIntoCell(grid, 1, 1, "abc", false);
    QLineEdit* editor = testing::OpenEditor(grid);
    QVERIFY(editor != nullptr && testing::Marked(editor));
    QTest::keyClick(editor, Qt::Key_Return);
    QCOMPARE(Messages(),
             QStringList{QString::fromUtf8("\u201CMin value of Initial Concentration, "
                                           "mg/L (C(ISYS,K))\u201D must be a number.")});
    QCOMPARE(testing::OpenEditor(grid), editor);
    QTest::keyClick(editor, Qt::Key_Escape);
    QCoreApplication::processEvents();
    QCOMPARE(Q(table.c_min), QStringLiteral("1"));
    QCOMPARE(grid->CellText(1, 1), QStringLiteral("1"));
    testing::TypeIntoCell(grid, 2, 2, "0.90");
    QCOMPARE(Q(table.dissf_max), QStringLiteral("0.9"));
    // Clearing a bound is no refusal.
    testing::TypeIntoCell(grid, 1, 1, "", false);
    QTest::keyClick(testing::OpenEditor(grid), Qt::Key_Backspace);
    QTest::keyClick(testing::OpenEditor(grid), Qt::Key_Return);
    QCoreApplication::processEvents();
    QCOMPARE(platform_.messages.size(), 1u);
    testing::Grab(&dialog, QStringLiteral("valid_ranges"));
  }

  void SaveAsWritesTheEditedTable() {
    platform_.files.push_back(second_);
    testing::OnModal<ValidRangesDialog>([this](ValidRangesDialog* dialog) {
      QCOMPARE(dialog->file_line()->text(), "File: " + QString::fromStdString(first_));
      QCOMPARE(dialog->grid()->CellText(2, 1), QStringLiteral("0.5"));
      dialog->grid()->EditCell(1, 2, "250");
      dialog->save_as_button()->click();
      QCOMPARE(dialog->file_line()->text(), "File: " + QString::fromStdString(second_));
      dialog->close_button()->click();
    });
    ValidRangesDialog::EditValueRanges(*doc_, nullptr);
    QCOMPARE(ReadBytes(second_), QByteArray("Group J\nC 0 250\nDISSF 0.5 1\n"));
    QCOMPARE(ReadBytes(first_), QByteArray(kRanges.c_str()));
    QCOMPARE(Q(doc_->range_file_path), Q(second_));
    // The new path is one undo step of the project.
    QVERIFY(doc_->IsModified());
    QVERIFY(doc_->Undo());
    QCOMPARE(Q(doc_->range_file_path), Q(first_));
  }

  void CloseWritesNothing() {
    testing::OnModal<ValidRangesDialog>([](ValidRangesDialog* dialog) {
      dialog->grid()->EditCell(1, 1, "7");
      dialog->close_button()->click();
    });
    ValidRangesDialog::EditValueRanges(*doc_, nullptr);
    QCOMPARE(ReadBytes(first_), QByteArray(kRanges.c_str()));
    QCOMPARE(Q(doc_->range_file_path), Q(first_));
    QVERIFY(!doc_->CanUndo());
    QVERIFY(!doc_->IsModified());
    QCOMPARE(Q(doc_->value_ranges.c_min),
             QStringLiteral("7"));  // kept until the file is read again
  }

  void SaveWritesTheTablesFile() {
    testing::OnModal<ValidRangesDialog>([](ValidRangesDialog* dialog) {
      dialog->grid()->EditCell(2, 2, "0.9");
      dialog->save_button()->click();
      QVERIFY(!dialog->isVisible());
    });
    ValidRangesDialog::EditValueRanges(*doc_, nullptr);
    QCOMPARE(ReadBytes(first_), QByteArray("Group J\nC 0 100\nDISSF 0.5 0.9\n"));
    QVERIFY(!doc_->CanUndo());
  }

  void SaveWithoutAFileAsksForOne() {
    doc_->range_file_path.clear();
    platform_.files.push_back(second_);
    testing::OnModal<ValidRangesDialog>([](ValidRangesDialog* dialog) {
      dialog->grid()->EditCell(1, 1, "3");
      dialog->save_button()->click();
      QVERIFY(!dialog->isVisible());
    });
    ValidRangesDialog::EditValueRanges(*doc_, nullptr);
    QCOMPARE(ReadBytes(second_), QByteArray("Group J\nC 3 \nDISSF  \n"));
    QCOMPARE(Q(doc_->range_file_path), Q(second_));
  }

  void OpenedFileBecomesTheProjects() {
    WriteBytes(second_, "Group J\nC 1 2\nDISSF 0.25 0.75\n");
    platform_.files.push_back(second_);
    testing::OnModal<ValidRangesDialog>([this](ValidRangesDialog* dialog) {
      dialog->open_button()->click();
      QCOMPARE(dialog->file_line()->text(), "File: " + QString::fromStdString(second_));
      QCOMPARE(dialog->grid()->CellText(2, 2), QStringLiteral("0.75"));
      dialog->close_button()->click();
    });
    ValidRangesDialog::EditValueRanges(*doc_, nullptr);
    QCOMPARE(Q(doc_->range_file_path), Q(second_));
    QCOMPARE(Q(doc_->value_ranges.c_max), QStringLiteral("2"));
  }

  void MissingFileIsReportedAndNothingChanges() {
    doc_->range_file_path = second_;
    platform_.files.push_back(std::nullopt);  // "Open..." cancelled
    testing::OnModal<ValidRangesDialog>([](ValidRangesDialog* dialog) {
      QCOMPARE(dialog->file_line()->text(), QStringLiteral("File: <NONE>"));
      dialog->open_button()->click();
      dialog->close_button()->click();
    });
    ValidRangesDialog::EditValueRanges(*doc_, nullptr);
    QCOMPARE(Messages(), QStringList({Q("Could not read range data from " + second_),
                                      "? open Text Files (*.txt)|*.txt|All Files (*.*)|*.*||"}));
    QCOMPARE(Q(doc_->range_file_path), Q(second_));
    QVERIFY(!QFile::exists(QString::fromStdString(second_)));
  }

  void UnwritableSaveAsKeepsTheFileAndTheDialog() {
    const std::string nowhere = dir_.filePath("missing/dir/ranges.txt").toStdString();
    platform_.files.push_back(nowhere);
    testing::OnModal<ValidRangesDialog>([](ValidRangesDialog* dialog) {
      dialog->save_as_button()->click();
      dialog->close_button()->click();
    });
    ValidRangesDialog::EditValueRanges(*doc_, nullptr);
    QCOMPARE(Messages(), QStringList({"? save Text Files (*.txt)|*.txt|All Files (*.*)|*.*||",
                                      Q("SaveTableData: Unable to open file " + nowhere)}));
    QCOMPARE(Q(doc_->range_file_path), Q(first_));
  }

  // A new project names the ranges file beside the program, which the build tree (like an
  // installation) holds: the window shows its bounds and group J values are checked.
  void FreshProjectFindsTheShippedRanges() {
    COrvoBuilderDoc fresh(platform_);
    const QString shipped = QStringLiteral(ORVO_BIN_DIR "/RangeDefaults.txt");
    QCOMPARE(QFileInfo(Q(fresh.range_file_path)).canonicalFilePath(),
             QFileInfo(shipped).canonicalFilePath());
    testing::OnModal<ValidRangesDialog>([](ValidRangesDialog* dialog) {
      QCOMPARE(dialog->grid()->CellText(1, 2), QStringLiteral("2.65e+06"));
      QCOMPARE(dialog->grid()->CellText(2, 2), QStringLiteral("1"));
      dialog->close_button()->click();
    });
    ValidRangesDialog::EditValueRanges(fresh, nullptr);
    QVERIFY(platform_.messages.empty());
    platform_.default_answer = false;
    QVERIFY(CheckC(fresh.value_ranges, 640000, platform_));
    QVERIFY(!CheckC(fresh.value_ranges, -1, platform_));
    QVERIFY(!CheckDissf(fresh.value_ranges, 1.5, platform_));
    QCOMPARE(platform_.messages.size(), size_t{2});
    platform_.default_answer = true;
  }

  // The examples name "RangeDefaults.txt" relative to where they were made; opened from
  // anywhere they still get the shipped ranges, and remember where those are.
  void ExampleProjectFindsTheShippedRanges() {
    COrvoBuilderDoc example(platform_);
    QVERIFY(example.Load(ORVO_SOURCE_DIR "/examples/fenu5_river/river.orb"));
    QCOMPARE(Q(example.range_file_path), QStringLiteral("RangeDefaults.txt"));
    testing::OnModal<ValidRangesDialog>([](ValidRangesDialog* dialog) {
      QCOMPARE(dialog->grid()->CellText(1, 2), QStringLiteral("2.65e+06"));
      dialog->close_button()->click();
    });
    ValidRangesDialog::EditValueRanges(example, nullptr);
    QVERIFY(platform_.messages.empty());
    QCOMPARE(QFileInfo(Q(example.range_file_path)).canonicalFilePath(),
             QFileInfo(QStringLiteral(ORVO_BIN_DIR "/RangeDefaults.txt")).canonicalFilePath());
  }

 private:
  QStringList Messages() const {
    QStringList shown;
    for (const std::string& message : platform_.messages) shown << Q(message);
    return shown;
  }

  QTemporaryDir dir_;
  ScriptedPlatform platform_;
  std::unique_ptr<COrvoBuilderDoc> doc_;
  std::string first_;
  std::string second_;
};

QTEST_MAIN(ValidRangesDialogTest)
#include "valid_ranges_dialog_test.moc"
