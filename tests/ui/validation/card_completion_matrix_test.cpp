#include "ui/validation/card_completion_matrix.h"

#include <QMessageBox>
#include <QtTest>

#include <memory>
#include <vector>

#include "model/scripted_platform.h"
#include "support/modal_dialog.h"
#include "support/network_builder.h"
#include "support/widget_dump.h"
#include "ui/network/network_view.h"
#include "ui/widgets/grid_widget.h"
#include "validate/card_completeness.h"

using namespace orvo;
using namespace orvo::ui;

namespace {

void DoubleClickRow(GridWidget& table, int row) {
  const QRect cell = table.visualItemRect(table.item(row, 0));
  // A double click arrives after the press and release of its first click.
  QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, cell.center());
  QTest::mouseDClick(table.viewport(), Qt::LeftButton, {}, cell.center());
}

}  // namespace

class CardCompletionMatrixTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    doc_ = std::make_unique<COrvoBuilderDoc>(platform_);
    s1_ = testing::AddSegmentWithLabel(*doc_, 80, 80);
    s2_ = testing::AddSegmentWithLabel(*doc_, 160, 80);
    exchange_ = doc_->AddExchange(s1_, s2_, kInterface);
    testing::AddLabel(*doc_, "note");
  }
  void cleanup() { doc_.reset(); }

  // A deck with unset options is never written or run in silence.
  void WritingAndRunningSayWhatTheReportFinds() {
    const auto findings = CountFindings(BuildCompletenessReport(*doc_));
    QVERIFY(findings.errors > 1 && findings.warnings > 1);
    QString text;
    int shown = 0;
    testing::OnModal<QMessageBox>([&text](QMessageBox* box) {
      text = box->text();
      testing::Click(box, "showMatrix");
    });
    QVERIFY(ReportCompleteness(*doc_, false, nullptr, [&shown] { ++shown; }));
    QCOMPARE(shown, 1);
    QCOMPARE(text, QStringLiteral("The card completeness report finds %1 errors and %2 warnings. "
                                  "The deck holds unset options where it has errors.")
                       .arg(findings.errors)
                       .arg(findings.warnings));
    testing::OnModal<QMessageBox>([](QMessageBox* box) { testing::Click(box, "showMatrix"); });
    QVERIFY(!ReportCompleteness(*doc_, true, nullptr, [&shown] { ++shown; }));
    QCOMPARE(shown, 2);
    testing::OnModal<QMessageBox>([](QMessageBox* box) { testing::Click(box, "goOn"); });
    QVERIFY(ReportCompleteness(*doc_, true, nullptr, [&shown] { ++shown; }));
    testing::OnModal<QMessageBox>([](QMessageBox* box) { box->reject(); });
    QVERIFY(!ReportCompleteness(*doc_, true, nullptr, {}));
    QCOMPARE(shown, 2);
  }

  void ShowsFindingsAndOneRowPerSegmentAndExchange() {
    CardCompletionMatrix* matrix = CardCompletionMatrix::ShowFor(*doc_, nullptr);
    QScopedPointer<CardCompletionMatrix> owner(matrix);
    QVERIFY(matrix->isVisible());
    QCOMPARE(CardCompletionMatrix::Find(*doc_), matrix);
    QCOMPARE(CardCompletionMatrix::ShowFor(*doc_, nullptr), matrix);  // one window per project
    // Findings as lines of their own; the tables hold a header row, then the two segments and
    // the exchange (labels are in neither).
    ORVO_COMPARE_WINDOW("ui/validation/card_completion_matrix/two_segments.txt", *matrix);
    QCOMPARE(matrix->segment_table()->columnWidth(0), 150);
    QCOMPARE(matrix->segment_table()->columnWidth(4), 300);
  }

  void RefreshesOnlyWhileShown() {
    CardCompletionMatrix matrix(*doc_);
    matrix.ShowReport();
    doc_->group_a.TITLE1 = "River";
    for (int index = 5; index <= 9; ++index) s1_->SetParameter(index, "1");
    CardCompletionMatrix::RefreshFor(*doc_);
    QVERIFY(!matrix.findings_box()->toPlainText().contains(QStringLiteral("TITLE1")));
    QCOMPARE(matrix.segment_table()->CellText(1, 1), QStringLiteral("OK"));

    // "OK" hides the window, and a hidden report is left as it was until shown again.
    matrix.ok_button()->click();
    QVERIFY(!matrix.isVisible());
    testing::AddSegmentWithLabel(*doc_, 240, 80);
    CardCompletionMatrix::RefreshFor(*doc_);
    QCOMPARE(matrix.segment_table()->rowCount(), 3);
    CardCompletionMatrix::ShowFor(*doc_, nullptr);
    QCOMPARE(matrix.segment_table()->rowCount(), 4);
    QCOMPARE(matrix.segment_table()->CellText(3, 0), QStringLiteral("3"));
  }

  void DoubleClickReportsTheRowsNode() {
    CardCompletionMatrix matrix(*doc_);
    std::vector<const COrvoBuilderCntrItem*> called;
    std::vector<const COrvoBuilderCntrItem*> emitted;
    matrix.SetNodeHandler([&](const COrvoBuilderCntrItem* node) { called.push_back(node); });
    connect(&matrix, &CardCompletionMatrix::NodeActivated,
            [&](const COrvoBuilderCntrItem* node) { emitted.push_back(node); });
    matrix.ShowReport();
    QVERIFY(QTest::qWaitForWindowExposed(&matrix));

    DoubleClickRow(*matrix.segment_table(), 2);
    DoubleClickRow(*matrix.exchange_table(), 1);
    DoubleClickRow(*matrix.segment_table(), 0);  // the header row is no node
    QCOMPARE(called.size(), size_t{2});
    QCOMPARE(called[0], s2_);
    QCOMPARE(called[1], exchange_);
    QVERIFY(emitted == called);

    // A row whose node was deleted after the report was built finds nothing.
    doc_->DeleteNode(exchange_);
    DoubleClickRow(*matrix.exchange_table(), 1);
    QCOMPARE(called.size(), size_t{2});
  }

  void ShowNodeInViewSelectsTheNode() {
    COrvoBuilderView view(*doc_);
    view.resize(300, 200);
    ShowNodeInView(view, s2_);
    QCOMPARE(view.selected_node(), s2_);
    ShowNodeInView(view, exchange_);
    QCOMPARE(view.selected_node(), exchange_);
    COrvoBuilderDoc other(platform_);
    ShowNodeInView(view, testing::AddLabel(other, "elsewhere"));
    QCOMPARE(view.selected_node(), exchange_);
  }

  void ResizingSharesTheHeightInThirds() {
    CardCompletionMatrix matrix(*doc_);
    matrix.ShowReport();
    QVERIFY(QTest::qWaitForWindowExposed(&matrix));
    const QRect text = matrix.findings_box()->geometry();
    const QRect segments = matrix.segment_table()->geometry();
    const QRect exchanges = matrix.exchange_table()->geometry();
    const QRect ok = matrix.ok_button()->geometry();
    matrix.resize(matrix.size() + QSize(100, 31));  // d3 = 10
    QTRY_COMPARE(matrix.findings_box()->geometry(), text.adjusted(0, 0, 100, 10));
    QCOMPARE(matrix.segment_table()->geometry(), segments.adjusted(0, 10, 100, 20));
    QCOMPARE(matrix.exchange_table()->geometry(), exchanges.adjusted(0, 20, 100, 31));
    QCOMPARE(matrix.ok_button()->geometry(), ok.translated(0, 31));
  }

 private:
  ScriptedPlatform platform_;
  std::unique_ptr<COrvoBuilderDoc> doc_;
  COrvoBuilderCntrItem* s1_ = nullptr;
  COrvoBuilderCntrItem* s2_ = nullptr;
  COrvoBuilderCntrItem* exchange_ = nullptr;
};

QTEST_MAIN(CardCompletionMatrixTest)
#include "card_completion_matrix_test.moc"
