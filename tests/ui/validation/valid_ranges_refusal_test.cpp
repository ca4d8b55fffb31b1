// The value ranges grid refuses text that is no number, naming the bound, and keeps what it
// had; numbers are stored as before.
#include <QtTest>

#include "model/scripted_platform.h"
#include "support/grid_typing.h"
#include "support/layout_check.h"
#include "ui/validation/valid_ranges_dialog.h"
#include "ui/widgets/grid_widget.h"

using namespace orvo;
using namespace orvo::ui;

class ValidRangesRefusalTest : public QObject {
  Q_OBJECT

 private slots:
  void TextThatIsNoNumberIsRefused() {
    ScriptedPlatform platform;
    ValueRangeTable table;
    table.c_min = "1";
    ValidRangesDialog dialog(table, platform);
    dialog.show();
    GridWidget* grid = dialog.grid();
    testing::TypeIntoCell(grid, 1, 1, "abc", false);
    QLineEdit* editor = testing::OpenEditor(grid);
    QVERIFY(editor != nullptr && testing::Marked(editor));
    QTest::keyClick(editor, Qt::Key_Return);
    QVERIFY(platform.messages ==
            std::vector<std::string>{"\xE2\x80\x9CMin value of Initial Concentration, mg/L "
                                     "(C(ISYS,K))\xE2\x80\x9D must be a number."});
    // The cell stays open and marked until mended or left with Escape.
    QCOMPARE(testing::OpenEditor(grid), editor);
    QTest::keyClick(editor, Qt::Key_Escape);
    QCoreApplication::processEvents();
    QCOMPARE(QString::fromStdString(table.c_min), QStringLiteral("1"));
    QCOMPARE(grid->CellText(1, 1), QStringLiteral("1"));
    testing::TypeIntoCell(grid, 2, 2, "0.90");
    QCOMPARE(QString::fromStdString(table.dissf_max), QStringLiteral("0.9"));
    // Clearing a bound is no refusal.
    testing::TypeIntoCell(grid, 1, 1, "", false);
    QTest::keyClick(testing::OpenEditor(grid), Qt::Key_Backspace);
    QTest::keyClick(testing::OpenEditor(grid), Qt::Key_Return);
    QCoreApplication::processEvents();
    QCOMPARE(platform.messages.size(), 1u);
    // Opened at its size, nothing is cut, the buttons included.
    const QStringList cut = testing::CutTexts(&dialog);
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(u'\n')));
    testing::Grab(&dialog, QStringLiteral("valid_ranges"));
  }
};

QTEST_MAIN(ValidRangesRefusalTest)
#include "valid_ranges_refusal_test.moc"
